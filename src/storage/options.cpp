#include "storage/options.h"

#include "storage/config_store.h"

#include <cstdio>
#include <mutex>
#include <utility>
#include <vector>

namespace murmex {
namespace {

// Lock order: a file's pass lock first, then this one (a save holds both).
std::mutex g_optionsMutex;
std::vector<std::pair<std::string, std::string>> g_options;

std::pair<std::string, std::string>* Find(std::string_view name) {
    for (auto& option : g_options)
        if (option.first == name)
            return &option;
    return nullptr;
}

} // namespace

void LoadOptions() {
    CConfigStore store;
    store.Open("Options", CConfigStore::Read);
    std::string name, value;
    std::vector<std::pair<std::string, std::string>> loaded;
    while (!store.AtEnd()) {
        if (store.ReadValue(name, value))
            loaded.emplace_back(name, value);
    }
    store.Close();
    std::lock_guard lock(g_optionsMutex);
    g_options.insert(g_options.end(), loaded.begin(), loaded.end());
}

bool SaveOptions() {
    CConfigStore store;
    store.Open("Options", CConfigStore::Write);
    {
        std::lock_guard lock(g_optionsMutex);
        for (const auto& [name, value] : g_options)
            store.WriteValue(name, value);
    }
    return store.Close();
}

bool HasOption(std::string_view name) {
    std::lock_guard lock(g_optionsMutex);
    return Find(name) != nullptr;
}

std::string GetOption(std::string_view name) {
    std::lock_guard lock(g_optionsMutex);
    auto* option = Find(name);
    return option ? option->second : std::string();
}

void SetOption(std::string_view name, std::string_view value) {
    {
        std::lock_guard lock(g_optionsMutex);
        if (auto* option = Find(name)) {
            option->second = value;
            return;
        }
        g_options.emplace_back(std::string(name), std::string(value));
    }
    SaveOptions();
}

void SetOptionInt(std::string_view name, int value) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", value);
    SetOption(name, buf);
}

void ClearOptions() {
    std::lock_guard lock(g_optionsMutex);
    g_options.clear();
}

} // namespace murmex
