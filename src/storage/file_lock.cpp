#include "storage/file_lock.h"

#include <map>
#include <memory>

namespace murmex {

std::recursive_mutex& FileLock(const std::string& path) {
    static std::mutex registryMutex;
    static std::map<std::string, std::unique_ptr<std::recursive_mutex>> registry;
    std::lock_guard lock(registryMutex);
    auto& slot = registry[path];
    if (!slot)
        slot = std::make_unique<std::recursive_mutex>();
    return *slot;
}

} // namespace murmex
