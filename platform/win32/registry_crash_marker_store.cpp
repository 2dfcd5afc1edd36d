#include "platform/win32/registry_crash_marker_store.h"

#include <algorithm>

#include "platform/win32/wide_text.h"
#include "platform/win32/windows_api.h"

namespace zb {

// An application's marker mutex, and whether this store holds it.
class RegistryCrashMarkerStore::Owner {
 public:
  explicit Owner(const std::string& app) {
    // The registry finds the key whatever the case of app; a mutex name is
    // case-sensitive and cannot hold a backslash.
    std::wstring name = WideFromUtf8(app);
    CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
    std::replace(name.begin(), name.end(), L'\\', L'/');
    mutex_ = CreateMutexW(nullptr, FALSE, (L"Local\\ZorbelleCrashMarker:" + name).c_str());
  }
  ~Owner() {
    Release();
    if (mutex_ != nullptr) CloseHandle(mutex_);
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;

  enum class Ownership { kOwned, kOwnedElsewhere, kUnavailable };
  // An abandoned mutex is a dead run's: its marker is a crash record and
  // free to take.
  Ownership Own() {
    if (mutex_ == nullptr) return Ownership::kUnavailable;
    switch (WaitForSingleObject(mutex_, 0)) {
      case WAIT_OBJECT_0:
      case WAIT_ABANDONED:
        thread_ = GetCurrentThreadId();
        return Ownership::kOwned;
      case WAIT_TIMEOUT:
        return Ownership::kOwnedElsewhere;
      default:
        return Ownership::kUnavailable;
    }
  }
  bool Owned() const { return thread_ != 0; }
  // Only the holding thread can let the mutex go; released elsewhere, it
  // would take another store's hold on that thread instead. Left held, it
  // is abandoned when its thread ends.
  void Release() {
    if (thread_ == GetCurrentThreadId()) ReleaseMutex(mutex_);
    thread_ = 0;
  }

 private:
  HANDLE mutex_ = nullptr;
  DWORD thread_ = 0;  // holding the mutex for this store; 0 for none
};

RegistryCrashMarkerStore::RegistryCrashMarkerStore() = default;
RegistryCrashMarkerStore::~RegistryCrashMarkerStore() = default;

RegistryCrashMarkerStore::Owner& RegistryCrashMarkerStore::OwnerOf(const std::string& app) {
  auto& owner = owners_[app];
  if (!owner) owner = std::make_unique<Owner>(app);
  return *owner;
}

std::string RegistryCrashMarkerStore::Read(const std::string& app, const std::string& fallback) {
  Owner& owner = OwnerOf(app);
  if (!owner.Owned()) {
    // Holding the mutex while reading keeps a starting run from writing
    // its first path over the record being read.
    switch (owner.Own()) {
      case Owner::Ownership::kOwnedElsewhere:
        return "";
      case Owner::Ownership::kOwned: {
        std::string picture = registry_.Read(app, kCrashMarkerSection, kCrashMarkerKey, fallback);
        owner.Release();
        return picture;
      }
      case Owner::Ownership::kUnavailable:
        break;  // with no mutex to ask, the value is all there is
    }
  }
  return registry_.Read(app, kCrashMarkerSection, kCrashMarkerKey, fallback);
}

bool RegistryCrashMarkerStore::Write(const std::string& app, const std::string& picturePath) {
  Owner& owner = OwnerOf(app);
  if (!owner.Owned()) {
    switch (owner.Own()) {
      case Owner::Ownership::kOwned:
        break;
      case Owner::Ownership::kOwnedElsewhere:
        // A living run's record stands; clearing it is that run's business.
        return picturePath.empty();
      case Owner::Ownership::kUnavailable:
        return false;
    }
  }
  const bool written = registry_.Write(app, kCrashMarkerSection, kCrashMarkerKey, picturePath);
  // A clean marker needs no owner.
  if (picturePath.empty()) owner.Release();
  return written;
}

}  // namespace zb
