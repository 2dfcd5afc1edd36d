#include "platform/win32/win32_thumbnail_helper_pool.h"

#include "platform/win32/handle_channel.h"
#include "platform/win32/wide_text.h"
#include "thumbnail/helper_protocol.h"

namespace zb {
namespace {

// A helper's ends of its pipes must reach it alone: a second helper holding
// one would keep a dead helper's pipe open and its answer waited for.
std::mutex startingHelper;

constexpr DWORD kPipeBytes = 64 * 1024;
// The exit code of a helper we ended.
constexpr UINT kEnded = 1;

UniqueHandle MakeJob() {
  UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
  if (!job) return {};
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  // No crash dialog waits for someone: the helper dies and its picture is
  // refused.
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE |
                                            JOB_OBJECT_LIMIT_PROCESS_MEMORY |
                                            JOB_OBJECT_LIMIT_DIE_ON_UNHANDLED_EXCEPTION;
  limits.ProcessMemoryLimit = kHelperMemoryBytes;
  if (!SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits,
                               sizeof limits)) {
    return {};
  }
  return job;
}

// Ends a helper that outlives its answer time; its pipe then breaks and the
// wait for its answer ends.
void CALLBACK EndHung(void* process, BOOLEAN) { TerminateProcess(process, kEnded); }

}  // namespace

Win32ThumbnailHelperPool::Win32ThumbnailHelperPool(std::string program, unsigned count,
                                                   std::chrono::milliseconds answerTimeout)
    : program_(WideFromUtf8(program)),
      count_(count == 0 ? 1 : count),
      answerTimeout_(answerTimeout),
      job_(MakeJob()),
      slots_(count_) {}

Win32ThumbnailHelperPool::~Win32ThumbnailHelperPool() {
  Abandon();
  {
    std::lock_guard lock(mutex_);
    ending_ = true;
  }
  changed_.notify_all();
  for (std::thread& t : threads_) t.join();
}

void Win32ThumbnailHelperPool::Post(std::string hostPath, int side, Done done) {
  {
    std::lock_guard lock(mutex_);
    // Helpers start with the first picture that needs one, so that a run
    // whose thumbnails all exist starts none.
    if (threads_.empty()) {
      for (Slot& slot : slots_) threads_.emplace_back([this, &slot] { Serve(slot); });
    }
    queue_.push_back({std::move(hostPath), side, std::move(done)});
  }
  changed_.notify_one();
}

void Win32ThumbnailHelperPool::Abandon() {
  std::deque<Job> dropped;
  {
    std::lock_guard lock(mutex_);
    dropped.swap(queue_);
    for (Slot& slot : slots_) {
      if (!slot.busy) continue;
      slot.abandoned = true;
      if (slot.process != nullptr) TerminateProcess(slot.process, kEnded);
    }
  }
  for (Job& job : dropped) job.done(Outcome::kUnanswered, {});
}

void Win32ThumbnailHelperPool::Settle() {
  Abandon();
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return running_ == 0; });
}

void Win32ThumbnailHelperPool::Serve(Slot& slot) {
  Helper helper;
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || !queue_.empty(); });
    if (ending_) break;
    Job job = std::move(queue_.front());
    queue_.pop_front();
    ++running_;
    slot = Slot{.busy = true};
    lock.unlock();
    auto [outcome, bytes] = Ask(helper, job, slot);
    job.done(outcome, std::move(bytes));
    lock.lock();
    --running_;
    changed_.notify_all();
  }
  lock.unlock();
  Stop(helper);
}

std::pair<Win32ThumbnailHelperPool::Outcome, std::vector<std::uint8_t>>
Win32ThumbnailHelperPool::Ask(Helper& helper, const Job& job, Slot& slot) {
  if (!helper.process && !Start(helper)) return {Outcome::kUnanswered, {}};
  bool abandoned = false;
  {
    std::lock_guard lock(mutex_);
    abandoned = slot.abandoned;
    slot.process = helper.process.get();
  }
  std::optional<std::vector<std::uint8_t>> bytes;
  if (!abandoned) bytes = Exchange(helper, job);
  {
    // From here Abandon terminates no more: the handle is ours to close.
    std::lock_guard lock(mutex_);
    slot.process = nullptr;
    slot.busy = false;
    abandoned = slot.abandoned;
  }
  if (abandoned || !bytes) {
    // Died, hung, spoke nonsense or was abandoned: the next picture gets a
    // fresh helper. Ended first, as one that hangs would never leave.
    TerminateProcess(helper.process.get(), kEnded);
    Stop(helper);
  }
  if (abandoned) return {Outcome::kUnanswered, {}};
  if (!bytes || bytes->empty()) return {Outcome::kRefused, {}};
  return {Outcome::kMade, std::move(*bytes)};
}

std::optional<std::vector<std::uint8_t>> Win32ThumbnailHelperPool::Exchange(const Helper& helper,
                                                                            const Job& job) const {
  HANDLE timer = nullptr;
  if (!CreateTimerQueueTimer(&timer, nullptr, EndHung, helper.process.get(),
                             static_cast<DWORD>(answerTimeout_.count()), 0, WT_EXECUTEONLYONCE)) {
    return std::nullopt;
  }
  HandleChannel channel(helper.answers.get(), helper.requests.get());
  std::optional<std::vector<std::uint8_t>> answer;
  if (SendRequest(channel, {job.hostPath, job.side})) answer = ReceiveAnswer(channel);
  // Waits for a callback under way, which uses the process handle.
  DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
  return answer;
}

bool Win32ThumbnailHelperPool::Start(Helper& helper) {
  if (!job_) return false;
  std::lock_guard starting(startingHelper);
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE requestsRead = nullptr;
  HANDLE requestsWrite = nullptr;
  HANDLE answersRead = nullptr;
  HANDLE answersWrite = nullptr;
  if (!CreatePipe(&requestsRead, &requestsWrite, &inherited, kPipeBytes)) return false;
  UniqueHandle theirRequests(requestsRead);
  UniqueHandle ourRequests(requestsWrite);
  if (!CreatePipe(&answersRead, &answersWrite, &inherited, kPipeBytes)) return false;
  UniqueHandle ourAnswers(answersRead);
  UniqueHandle theirAnswers(answersWrite);
  if (!SetHandleInformation(ourRequests.get(), HANDLE_FLAG_INHERIT, 0) ||
      !SetHandleInformation(ourAnswers.get(), HANDLE_FLAG_INHERIT, 0)) {
    return false;
  }

  // Only the helper's own two ends go to it, whatever else this process
  // holds that is inheritable.
  HANDLE theirs[] = {theirRequests.get(), theirAnswers.get()};
  SIZE_T listBytes = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &listBytes);
  std::vector<unsigned char> listStore(listBytes);
  auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listStore.data());
  if (!InitializeProcThreadAttributeList(list, 1, 0, &listBytes)) return false;
  const bool listed = UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, theirs,
                                                sizeof theirs, nullptr, nullptr);

  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = theirRequests.get();
  startup.StartupInfo.hStdOutput = theirAnswers.get();
  startup.lpAttributeList = list;
  std::wstring commandLine = L"\"" + program_ + L"\" " + WideFromUtf8(kThumbnailHelperArgument) +
                             L" " + std::to_wstring(GetCurrentProcessId());
  PROCESS_INFORMATION started{};
  // Suspended until it is in the job, so that no part of it runs outside.
  const bool created =
      listed && CreateProcessW(program_.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                               CREATE_SUSPENDED | CREATE_NO_WINDOW | EXTENDED_STARTUPINFO_PRESENT,
                               nullptr, nullptr, &startup.StartupInfo, &started);
  DeleteProcThreadAttributeList(list);
  if (!created) return false;
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  if (!AssignProcessToJobObject(job_.get(), process.get()) ||
      ResumeThread(thread.get()) == DWORD(-1)) {
    TerminateProcess(process.get(), kEnded);
    WaitForSingleObject(process.get(), INFINITE);
    return false;
  }
  helper.process = std::move(process);
  helper.requests = std::move(ourRequests);
  helper.answers = std::move(ourAnswers);
  return true;
}

void Win32ThumbnailHelperPool::Stop(Helper& helper) {
  if (!helper.process) return;
  // Its standard input ends: the helper reads the end and leaves.
  helper.requests.reset();
  WaitForSingleObject(helper.process.get(), INFINITE);
  helper = Helper{};
}

}  // namespace zb
