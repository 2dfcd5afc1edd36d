#include "platform/win32/win32_thumbnail_helper_process.h"

#include <mutex>
#include <vector>

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

// The helper's handle stays open until destruction, so that it is ours to
// terminate until then.
class Win32Helper : public ThumbnailHelperProcess {
 public:
  Win32Helper(UniqueHandle process, UniqueHandle requests, UniqueHandle answers)
      : process_(std::move(process)),
        requests_(std::move(requests)),
        answers_(std::move(answers)) {}
  ~Win32Helper() override {
    // Its standard input ends: the helper reads the end and leaves.
    requests_.reset();
    WaitForSingleObject(process_.get(), INFINITE);
  }

  std::optional<std::vector<std::uint8_t>> Exchange(const ThumbnailRequest& request,
                                                    std::chrono::milliseconds patience) override {
    HANDLE timer = nullptr;
    if (!CreateTimerQueueTimer(&timer, nullptr, EndHung, process_.get(),
                               static_cast<DWORD>(patience.count()), 0, WT_EXECUTEONLYONCE)) {
      return std::nullopt;
    }
    HandleChannel channel(answers_.get(), requests_.get());
    std::optional<std::vector<std::uint8_t>> answer;
    if (SendRequest(channel, request)) answer = ReceiveAnswer(channel);
    // Waits for a callback under way, which uses the process handle.
    DeleteTimerQueueTimer(nullptr, timer, INVALID_HANDLE_VALUE);
    return answer;
  }
  void Kill() override { TerminateProcess(process_.get(), kEnded); }

 private:
  UniqueHandle process_;
  UniqueHandle requests_;  // our end of its standard input
  UniqueHandle answers_;   // our end of its standard output
};

}  // namespace

Win32ThumbnailHelperLauncher::Win32ThumbnailHelperLauncher(const std::string& program)
    : program_(WideFromUtf8(program)), job_(MakeJob()) {}

std::unique_ptr<ThumbnailHelperProcess> Win32ThumbnailHelperLauncher::Start() {
  if (!job_) return nullptr;
  std::lock_guard starting(startingHelper);
  SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
  HANDLE requestsRead = nullptr;
  HANDLE requestsWrite = nullptr;
  HANDLE answersRead = nullptr;
  HANDLE answersWrite = nullptr;
  if (!CreatePipe(&requestsRead, &requestsWrite, &inherited, kPipeBytes)) return nullptr;
  UniqueHandle theirRequests(requestsRead);
  UniqueHandle ourRequests(requestsWrite);
  if (!CreatePipe(&answersRead, &answersWrite, &inherited, kPipeBytes)) return nullptr;
  UniqueHandle ourAnswers(answersRead);
  UniqueHandle theirAnswers(answersWrite);
  if (!SetHandleInformation(ourRequests.get(), HANDLE_FLAG_INHERIT, 0) ||
      !SetHandleInformation(ourAnswers.get(), HANDLE_FLAG_INHERIT, 0)) {
    return nullptr;
  }

  // Only the helper's own two ends go to it, whatever else this process
  // holds that is inheritable.
  HANDLE theirs[] = {theirRequests.get(), theirAnswers.get()};
  SIZE_T listBytes = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &listBytes);
  std::vector<unsigned char> listStore(listBytes);
  auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(listStore.data());
  if (!InitializeProcThreadAttributeList(list, 1, 0, &listBytes)) return nullptr;
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
  if (!created) return nullptr;
  UniqueHandle process(started.hProcess);
  UniqueHandle thread(started.hThread);
  if (!AssignProcessToJobObject(job_.get(), process.get()) ||
      ResumeThread(thread.get()) == DWORD(-1)) {
    TerminateProcess(process.get(), kEnded);
    WaitForSingleObject(process.get(), INFINITE);
    return nullptr;
  }
  return std::make_unique<Win32Helper>(std::move(process), std::move(ourRequests),
                                       std::move(ourAnswers));
}

}  // namespace zb
