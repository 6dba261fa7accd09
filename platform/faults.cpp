// The registry of calls told to fail, and the reset of every fault.
#include "platform/faults.h"

#include <map>
#include <string>

#include "platform/internal.h"

namespace platform::faults {
namespace {

std::map<std::string, int, std::less<>>& Pending() {
    static std::map<std::string, int, std::less<>> pending;
    return pending;
}

}  // namespace

void FailNext(const char* function, int count) {
    if (function == nullptr) return;
    if (count <= 0) {
        Pending().erase(function);
        return;
    }
    Pending()[function] = count;
}

bool Take(const char* function) {
    if (function == nullptr) return false;
    auto it = Pending().find(std::string_view(function));
    if (it == Pending().end()) return false;
    if (--it->second == 0) Pending().erase(it);
    return true;
}

void ResetAll() {
    Pending().clear();
    ResetDrawFaults();
    ResetInputFaults();
    ResetSoundFaults();
    ResetClock();
}

}  // namespace platform::faults
