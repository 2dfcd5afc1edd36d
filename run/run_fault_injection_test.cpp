// A realistic run, repeated with its n-th file operation failing, for every n.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "context/run_messages.h"
#include "gallery/page_names.h"
#include "platform/fake/fake_platform.h"
#include "window/form_lifecycle.h"
#include "window/path_fields.h"
#include "window/program.h"

namespace zb {
namespace {

using testing::ElementsAre;
using testing::ElementsAreArray;
using testing::IsEmpty;

// One call that the fake counts: what it was, on which path and, for a
// written line, the how-manieth line of its file.
struct Operation {
  FakeOperation kind;
  std::string path;
  int line = 0;
};

// Hands every call to the fake and notes each one the fake counts.
class RecordingFileSystem : public FileSystem {
 public:
  explicit RecordingFileSystem(FakeFileSystem& fake) : fake_(fake) {}

  std::vector<Operation> operations;

  std::unique_ptr<FolderListing> ListFolder(const std::string& folder,
                                            std::uint32_t mask) override {
    auto listing =
        Record(FakeOperation::kList, folder, [&] { return fake_.ListFolder(folder, mask); });
    if (!listing) return nullptr;
    return std::make_unique<Listing>(*this, folder, std::move(listing));
  }
  std::optional<std::uint32_t> GetAttributes(const std::string& path) override {
    return Record(FakeOperation::kAttributes, path, [&] { return fake_.GetAttributes(path); });
  }
  void MakeFolder(const std::string& path) override {
    Record(FakeOperation::kMakeFolder, path, [&] { fake_.MakeFolder(path); });
  }
  void DeleteFile(const std::string& path) override {
    Record(FakeOperation::kDelete, path, [&] { fake_.DeleteFile(path); });
  }
  bool IsPlainFileBelow(const std::string& folder, const std::string& path) override {
    return fake_.IsPlainFileBelow(folder, path);
  }
  void DeleteFileBelow(const std::string& folder, const std::string& path) override {
    Record(FakeOperation::kDelete, path, [&] { fake_.DeleteFileBelow(folder, path); });
  }
  std::unique_ptr<FolderLock> LockFolder(const std::string& folder) override {
    return fake_.LockFolder(folder);
  }
  int DeleteOwnTextFiles(const std::string& folder,
                         const std::function<bool(std::string_view)>& picks,
                         std::string_view firstLine) override {
    return fake_.DeleteOwnTextFiles(folder, picks, firstLine);
  }
  std::unique_ptr<TextFile> CreateTextFile(const std::string& path) override {
    auto file = Record(FakeOperation::kCreate, path, [&] { return fake_.CreateTextFile(path); });
    return std::make_unique<Text>(*this, path, std::move(file));
  }
  std::size_t ReadAt(const std::string& path, std::uint64_t offset,
                     std::span<std::byte> buffer) override {
    return Record(FakeOperation::kRead, path, [&] { return fake_.ReadAt(path, offset, buffer); });
  }
  std::string FileUrl(const std::string& path) override { return fake_.FileUrl(path); }
  std::unique_ptr<WalkAhead> StartWalkAhead(WalkPlan) override { return nullptr; }
  std::string SpelledAsOnDisk(const std::string& path) override {
    return fake_.SpelledAsOnDisk(path);
  }

 private:
  class Listing : public FolderListing {
   public:
    Listing(RecordingFileSystem& files, std::string folder, std::unique_ptr<FolderListing> inner)
        : files_(files), folder_(std::move(folder)), inner_(std::move(inner)) {}
    bool Next(FolderEntry& entry) override {
      return files_.Record(FakeOperation::kNext, folder_, [&] { return inner_->Next(entry); });
    }
    FolderId Id() const override { return inner_->Id(); }

   private:
    RecordingFileSystem& files_;
    std::string folder_;
    std::unique_ptr<FolderListing> inner_;
  };

  class Text : public TextFile {
   public:
    Text(RecordingFileSystem& files, std::string path, std::unique_ptr<TextFile> inner)
        : files_(files), path_(std::move(path)), inner_(std::move(inner)) {}
    void WriteLine(std::string_view utf8) override {
      files_.Record(
          FakeOperation::kWriteLine, path_, [&] { inner_->WriteLine(utf8); }, ++lines_);
    }
    void Close() override {
      files_.Record(FakeOperation::kClose, path_, [&] { inner_->Close(); });
    }

   private:
    RecordingFileSystem& files_;
    std::string path_;
    std::unique_ptr<TextFile> inner_;
    int lines_ = 0;
  };

  // Runs call and notes the counted calls it made, even when it throws.
  template <typename Call>
  std::invoke_result_t<Call> Record(FakeOperation kind, const std::string& path, Call call,
                                    int line = 0) {
    struct Note {
      RecordingFileSystem& files;
      int before;
      FakeOperation kind;
      const std::string& path;
      int line;
      ~Note() {
        for (int i = before; i < files.fake_.OperationCount(); ++i) {
          files.operations.push_back({kind, path, line});
        }
      }
    } note{*this, fake_.OperationCount(), kind, path, line};
    return call();
  }

  FakeFileSystem& fake_;
};

// Questions answered Yes only for the file to be deleted; every box noted.
class ScriptedDialogs : public Dialogs {
 public:
  explicit ScriptedDialogs(std::string yesFor) : yesFor_(std::move(yesFor)) {}
  Answer Show(const MessageBox& box) override {
    shown.push_back(box);
    return box.text == DeleteQuestion(yesFor_).text ? Answer::kYes : box.defaultButton;
  }
  std::optional<std::string> OpenFile(const OpenFileRequest&) override { return std::nullopt; }

  // The boxes that report something, questions left out.
  std::vector<std::string> Reports() const {
    std::vector<std::string> texts;
    for (const MessageBox& box : shown) {
      if (box.buttons == Buttons::kOk) texts.push_back(box.text);
    }
    return texts;
  }

  std::vector<MessageBox> shown;

 private:
  std::string yesFor_;
};

constexpr const char* kDeletedOddFile = "C:\\pics\\sub\\odd;gone.txt";
constexpr const char* kKeptOddFile = "C:\\pics\\odd;keep.txt";
constexpr int kPerPage = 3;
constexpr int kPictures = 8;
constexpr int kLastPair = kPictures / kPerPage;
// A pair opens with the head line, the five lines of the navigation bar and
// the table; all of them are written while the pair starts.
constexpr int kOpeningLines = 7;

std::string Gif(int width, int height) {
  return std::string("GIF89a") + char(width & 0xFF) + char(width >> 8) + char(height & 0xFF) +
         char(height >> 8) + std::string(8, '\0');
}

// Every option of a full run on, over three levels: eight pictures (two full
// page pairs and part of a third), two odd files, others, an unreadable entry.
struct FaultRun {
  explicit FaultRun(bool sameFolder) {
    FakeFileSystem& tree = host.files;
    tree.AddFile("C:\\pics\\a.jpg");
    tree.AddFile("C:\\pics\\b.gif", Gif(640, 480));
    tree.AddFile("C:\\pics\\notes.txt");
    tree.AddFile(kKeptOddFile);
    tree.AddFile("C:\\pics\\sub\\c.JPG");
    tree.AddUnreadable("C:\\pics\\sub\\broken");
    tree.AddFile("C:\\pics\\sub\\d.jpeg");
    tree.AddFile("C:\\pics\\sub\\e.gif", "GIF8");  // cut short
    tree.AddFile(kDeletedOddFile);
    tree.AddFile("C:\\pics\\sub\\deeper\\f.jpg");
    tree.AddFile("C:\\pics\\sub\\deeper\\g.jpg");
    tree.AddFolder("C:\\pics\\empty");
    tree.AddFile("C:\\pics\\other\\h.jpe");
    host.pictures.sizes["C:\\pics\\a.jpg"] = {800, 600};
    host.pictures.sizes["C:\\pics\\sub\\deeper\\f.jpg"] = {50, 40};

    Form_Load(program);
    Form_Activate(program);
    MoveFolderList(program, "C:\\pics");
    MainForm& f = program.form;
    f.chkSameDir.SetValue(sameFolder ? 1 : 0);
    f.chkAllFileList.SetValue(1);
    f.chkTable1.SetValue(1);
    f.chkFileName.SetValue(1);
    f.hscGazoSuu.SetValue(kPerPage);
    f.mnuOptionItem[kOptionDeleteOddFiles].SetChecked(true);
    start = host.files.OperationCount();
    recordedBeforeStart = files.operations.size();
  }

  // The run's operations, from Start on.
  std::vector<Operation> Operations() const {
    return {files.operations.begin() + static_cast<std::ptrdiff_t>(recordedBeforeStart),
            files.operations.end()};
  }
  void Start() { program.form.cmdStart.Press(); }
  void FailRunOperation(int n) { host.files.FailOperationNumber(start + n); }
  std::vector<std::string> ListPage() const {
    return host.files.Lines(program.session.run.ListPath);
  }

  FakePlatform host;
  RecordingFileSystem files{host.files};
  ScriptedDialogs dialogs{kDeletedOddFile};
  Platform platform = host.platform.With(files).With(dialogs);
  Program program{platform};
  int start = 0;
  std::size_t recordedBeforeStart = 0;
};

bool IsPageOfPair(const std::string& path, int k) {
  return path.ends_with("\\" + PageName(k)) || path.ends_with("\\" + ReducedPageName(k));
}

bool IsPage(const std::string& path) {
  for (int k = 0; k <= kLastPair; ++k) {
    if (IsPageOfPair(path, k)) return true;
  }
  return false;
}

// Whether the walk reports this failure as a page write (the page message,
// then the run's) rather than the run when it closes its files.
bool ReportedByTheGallery(const Operation& op) {
  if (!IsPage(op.path)) return false;
  if (op.kind == FakeOperation::kCreate || !IsPageOfPair(op.path, kLastPair)) return true;
  // The last pair is closed, as it stands, by the list page.
  return op.kind == FakeOperation::kWriteLine && op.line <= kOpeningLines;
}

// The messages the run shows when op fails.
std::vector<std::string> ExpectedReports(const Operation& op) {
  switch (op.kind) {
    case FakeOperation::kList:
    case FakeOperation::kNext:
    case FakeOperation::kAttributes:
    case FakeOperation::kRead:
    case FakeOperation::kDelete:
      return {};  // the walk goes on without it
    case FakeOperation::kMakeFolder:
    case FakeOperation::kCreate:
    case FakeOperation::kWriteLine:
    case FakeOperation::kClose:
      break;
  }
  if (ReportedByTheGallery(op)) return {PageWriteErrorMessage().text, FailedRunMessage().text};
  return {FailedRunMessage().text};
}

const char* KindName(FakeOperation kind) {
  static constexpr const char* kNames[] = {"list",   "next",  "attributes", "make folder", "delete",
                                           "create", "write", "close",      "read"};
  return kNames[static_cast<int>(kind)];
}

void SweepEveryOperation(bool sameFolder) {
  FaultRun baseline(sameFolder);
  baseline.Start();
  ASSERT_EQ(baseline.program.session.lastOutcome, RunOutcome::kCompleted);
  ASSERT_EQ(baseline.program.session.run.ImageCount, kPictures);
  ASSERT_THAT(baseline.dialogs.Reports(), IsEmpty());
  ASSERT_THAT(baseline.host.files.Deleted(), ElementsAre(kDeletedOddFile));
  const std::vector<Operation> operations = baseline.Operations();
  // Every counted call went through the recorder.
  ASSERT_EQ(static_cast<int>(operations.size()),
            baseline.host.files.OperationCount() - baseline.start);
  const std::vector<std::string> listPage = baseline.ListPage();

  for (int n = 1; n <= static_cast<int>(operations.size()); ++n) {
    const Operation& op = operations[static_cast<std::size_t>(n) - 1];
    SCOPED_TRACE(testing::Message() << "operation " << n << " of " << operations.size() << ": "
                                    << KindName(op.kind) << " " << op.path << " line " << op.line);
    FaultRun f(sameFolder);
    f.FailRunOperation(n);
    EXPECT_NO_THROW(f.Start());
    const std::vector<std::string> expected = ExpectedReports(op);
    EXPECT_THAT(f.dialogs.Reports(), ElementsAreArray(expected));
    EXPECT_EQ(f.program.session.lastOutcome,
              expected.empty() ? RunOutcome::kCompleted : RunOutcome::kFailed);
    EXPECT_EQ(f.host.files.OpenFileCount(), 0);
    const MainForm& form = f.program.form;
    EXPECT_TRUE(form.cmdStart.Enabled());
    EXPECT_FALSE(form.cmdStop.Enabled());
    EXPECT_EQ(form.lblAnnai[0].Visible(), !expected.empty());
    EXPECT_EQ(form.lblAnnai[1].Visible(), expected.empty());  // allfile.txt was chosen
    for (const std::string& deleted : f.host.files.Deleted()) EXPECT_EQ(deleted, kDeletedOddFile);
    EXPECT_TRUE(f.host.files.Exists(kKeptOddFile));

    // Nothing of the failure is left behind for the next run.
    f.dialogs.shown.clear();
    f.Start();
    EXPECT_EQ(f.program.session.lastOutcome, RunOutcome::kCompleted);
    EXPECT_THAT(f.dialogs.Reports(), IsEmpty());
    EXPECT_EQ(f.ListPage(), listPage);
    EXPECT_EQ(f.host.files.OpenFileCount(), 0);
    if (testing::Test::HasFailure()) return;  // the first failing operation tells enough
  }
}

TEST(RunFaultInjection, EveryFailingOperationOfARunInTheSearchedFolder) {
  SweepEveryOperation(true);
}

TEST(RunFaultInjection, EveryFailingOperationOfARunInTheDefaultFolder) {
  SweepEveryOperation(false);
}

}  // namespace
}  // namespace zb
