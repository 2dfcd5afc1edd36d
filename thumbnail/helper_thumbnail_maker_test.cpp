#include "thumbnail/helper_thumbnail_maker.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "thumbnail/thumbnail_names.h"

namespace zb {
namespace {

using Outcome = ThumbnailHelperPool::Outcome;
using testing::IsEmpty;
using testing::Pair;
using testing::UnorderedElementsAre;

// The files of a store, kept by the test across runs.
struct Shelf {
  std::set<std::string> pictures;  // host paths of the regular files
  std::map<std::string, std::string> files = {};
  std::optional<std::unordered_set<std::string>> keptOnRemoval = {};

  static std::string NameOf(const std::string& path) {
    return ThumbnailFileName({path, 1000, 5, 240});
  }
};

class ShelfStore : public ThumbnailStore {
 public:
  explicit ShelfStore(Shelf& shelf) : shelf_(shelf) {}
  std::optional<Picture> Find(const std::string& path, int) override {
    if (!shelf_.pictures.contains(path)) return std::nullopt;
    return Picture{path, Shelf::NameOf(path),
                   [this](const std::string& name, std::span<const std::uint8_t> bytes) {
                     shelf_.files[name] = std::string(bytes.begin(), bytes.end());
                     return true;
                   }};
  }
  bool Has(const std::string& name) const override { return shelf_.files.contains(name); }
  void RemoveUnused(const std::unordered_set<std::string>& used) override {
    shelf_.keptOnRemoval = used;
  }

 private:
  Shelf& shelf_;
};

// Holds the jobs until the test answers them.
class HeldPool : public ThumbnailHelperPool {
 public:
  void Post(std::string hostPath, int, Done done) override {
    jobs.emplace_back(std::move(hostPath), std::move(done));
  }
  void Abandon() override {
    for (auto& [path, done] : jobs) done(Outcome::kUnanswered, {});
    jobs.clear();
  }
  void Settle() override { Abandon(); }
  void Answer(Outcome outcome, const std::string& bytes = {}) {
    auto [path, done] = std::move(jobs.front());
    jobs.erase(jobs.begin());
    done(outcome, {bytes.begin(), bytes.end()});
  }
  std::vector<std::pair<std::string, Done>> jobs;
};

struct Maker {
  explicit Maker(Shelf& shelf, bool storeOpens = true)
      : maker(
            [&shelf, storeOpens](const std::string&) -> std::unique_ptr<ThumbnailStore> {
              if (!storeOpens) return nullptr;
              return std::make_unique<ShelfStore>(shelf);
            },
            std::unique_ptr<HeldPool>(pool)) {}
  HeldPool* pool = new HeldPool;
  HelperThumbnailMaker maker;
};

TEST(HelperThumbnailMaker, KeepsWhatHelpersMakeAndRecordsWhatTheyRefuse) {
  Shelf shelf{{"/made.jpg", "/refused.png", "/abandoned.gif"}};
  Maker m(shelf);
  ASSERT_TRUE(m.maker.Begin("C:\\out\\"));
  const auto made = m.maker.Submit("/made.jpg", 240);
  const auto refused = m.maker.Submit("/refused.png", 240);
  const auto abandoned = m.maker.Submit("/abandoned.gif", 240);
  ASSERT_EQ(m.pool->jobs.size(), 3u);
  EXPECT_EQ(m.pool->jobs[0].first, "/made.jpg");
  EXPECT_FALSE(m.maker.Ready(made, std::chrono::milliseconds(0)));
  m.pool->Answer(Outcome::kMade, "jpeg");
  m.pool->Answer(Outcome::kRefused);
  m.pool->Answer(Outcome::kUnanswered);
  EXPECT_EQ(m.maker.Wait(made), Shelf::NameOf("/made.jpg"));
  EXPECT_EQ(m.maker.Wait(refused), std::nullopt);
  EXPECT_EQ(m.maker.Wait(abandoned), std::nullopt);
  EXPECT_EQ(m.maker.Decodes(), 3u);
  // Nothing is held against an abandoned picture.
  const std::string refusedName = Shelf::NameOf("/refused.png");
  EXPECT_THAT(shelf.files,
              UnorderedElementsAre(Pair(Shelf::NameOf("/made.jpg"), "jpeg"),
                                   Pair(NoThumbnailRecordName(refusedName), "no thumbnail\n")));
}

TEST(HelperThumbnailMaker, WithoutAStoreOrAPictureThereIsNoneAtOnce) {
  Shelf shelf{{"/a.jpg"}};
  Maker closed(shelf, false);
  EXPECT_FALSE(closed.maker.Begin("C:\\out\\"));
  const auto ticket = closed.maker.Submit("/a.jpg", 240);
  EXPECT_TRUE(closed.maker.Ready(ticket, std::chrono::milliseconds(0)));
  EXPECT_EQ(closed.maker.Wait(ticket), std::nullopt);

  Maker open(shelf);
  ASSERT_TRUE(open.maker.Begin("C:\\out\\"));
  EXPECT_EQ(open.maker.Wait(open.maker.Submit("/missing.jpg", 240)), std::nullopt);
  EXPECT_THAT(closed.pool->jobs, IsEmpty());
  EXPECT_THAT(open.pool->jobs, IsEmpty());
}

TEST(HelperThumbnailMaker, EndingRemovesOnlyWhatTheRunDidNotName) {
  Shelf shelf{{"/there.jpg", "/new.jpg"}};
  shelf.files[Shelf::NameOf("/there.jpg")] = "jpeg";
  Maker m(shelf);
  ASSERT_TRUE(m.maker.Begin("C:\\out\\"));
  m.maker.Wait(m.maker.Submit("/there.jpg", 240));
  const auto pending = m.maker.Submit("/new.jpg", 240);
  m.maker.Abandon();
  EXPECT_EQ(m.maker.Wait(pending), std::nullopt);
  m.maker.End(false);
  EXPECT_FALSE(shelf.keptOnRemoval);

  ASSERT_TRUE(m.maker.Begin("C:\\out\\"));
  m.maker.Wait(m.maker.Submit("/there.jpg", 240));
  m.maker.Submit("/new.jpg", 240);  // abandoned as the run ends
  m.maker.End(true);
  const std::string fresh = Shelf::NameOf("/new.jpg");
  EXPECT_THAT(*shelf.keptOnRemoval, UnorderedElementsAre(Shelf::NameOf("/there.jpg"), fresh,
                                                         NoThumbnailRecordName(fresh)));
}

}  // namespace
}  // namespace zb
