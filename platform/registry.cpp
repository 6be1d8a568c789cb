// The class registry: every class table of the run, kept in registration order.
#include <algorithm>
#include <deque>
#include <map>

#include "platform/runtime.h"

namespace platform {
namespace {

struct Registry {
  std::deque<ClassTable> tables;  // a deque keeps the tables where they are as it grows
  std::map<String, const ClassTable*, std::less<>> byName;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

void CheckParent(const ClassTable& table) {
  if (table.parent == nullptr) {
    if (table.name != "Object") {
      throw UnsupportedOperationException("class " + table.name + " has no parent class");
    }
    return;
  }
  if (RuntimeLookupClass(table.parent->name) != table.parent) {
    throw UnsupportedOperationException("the parent of class " + table.name +
                                        " is not a registered class");
  }
}

}  // namespace

const ClassTable& RuntimeRegisterClass(ClassTable table) {
  if (table.name.empty()) {
    throw UnsupportedOperationException("a class needs a name");
  }
  if (RuntimeLookupClass(table.name) != nullptr) {
    throw UnsupportedOperationException("class " + table.name + " is already registered");
  }
  CheckParent(table);
  Registry& registry = TheRegistry();
  const ClassTable& kept = registry.tables.emplace_back(std::move(table));
  registry.byName.emplace(kept.name, &kept);
  return kept;
}

const ClassTable* RuntimeLookupClass(std::string_view name) {
  const Registry& registry = TheRegistry();
  const auto found = registry.byName.find(name);
  return found == registry.byName.end() ? nullptr : found->second;
}

std::vector<String> RuntimeRegisteredClasses() {
  std::vector<String> names;
  for (const ClassTable& table : TheRegistry().tables) {
    names.push_back(table.name);
  }
  return names;
}

const EventInfo* RuntimeFindEvent(const ClassTable& table, std::int32_t number) {
  for (const ClassTable* level = &table; level != nullptr; level = level->parent) {
    const auto found = std::find_if(level->events.begin(), level->events.end(),
                                    [number](const EventInfo& e) { return e.number == number; });
    if (found != level->events.end()) {
      return &*found;
    }
  }
  return nullptr;
}

}  // namespace platform
