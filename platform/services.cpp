// Small services: the bell, arithmetic helpers, today's date, memory blocks and file types.
#include <QApplication>
#include <QDate>
#include <cmath>
#include <optional>
#include <string>

#include "platform/internal.h"
#include "platform/runtime.h"
#include "platform/testing.h"

namespace platform {
namespace {

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

std::optional<QDate>& FixedToday() {
  static std::optional<QDate> today;
  return today;
}

struct FileTypeEntry {
  const FileType* owner;
  RegisteredFileType fields;
};

// Never destroyed: a FileType held in a static deregisters itself at exit, in any order.
std::vector<FileTypeEntry>& FileTypeRegistry() {
  static auto* registry = new std::vector<FileTypeEntry>;
  return *registry;
}

}  // namespace

void Beep() {
  if (const auto& hook = BeepHook()) {
    hook();
    return;
  }
  internal::RequireToolkit("Beep");
  QApplication::beep();
}

double Pow(double base, double exponent) {
  return std::pow(base, exponent);
}

std::uint64_t BitwiseAnd(std::uint64_t a, std::uint64_t b) {
  return a & b;
}

Date::Date() {
  const QDate today = FixedToday().value_or(QDate::currentDate());
  year_ = today.year();
  month_ = today.month();
  day_ = today.day();
}

MemoryBlock::MemoryBlock(std::int32_t size) {
  if (size < 0) {
    throw OutOfBoundsException("a memory block of " + std::to_string(size) + " bytes");
  }
  bytes_.resize(static_cast<std::size_t>(size));
}

std::uint8_t MemoryBlock::Byte(std::int32_t offset) const {
  if (offset < 0 || offset >= Size()) {
    throw OutOfBoundsException("offset " + std::to_string(offset) + " outside a block of " +
                               std::to_string(Size()) + " bytes");
  }
  return bytes_[static_cast<std::size_t>(offset)];
}

FileType::~FileType() {
  Deregister();
}

void FileType::SetName(String value) {
  Change(name_, std::move(value));
}

void FileType::SetExtensions(String value) {
  Change(extensions_, std::move(value));
}

void FileType::SetMacType(String value) {
  Change(macType_, std::move(value));
}

void FileType::SetMacCreator(String value) {
  Change(macCreator_, std::move(value));
}

// The registry holds the fields as they were registered: a change takes the type out of it.
void FileType::Change(String& field, String value) {
  Deregister();
  field = std::move(value);
}

FileType::operator String() {
  if (!registered_) {
    FileTypeRegistry().push_back({this, {name_, macCreator_, macType_, extensions_}});
    registered_ = true;
  }
  return name_;
}

void FileType::Deregister() {
  if (!registered_) {
    return;
  }
  std::erase_if(FileTypeRegistry(), [this](const FileTypeEntry& e) { return e.owner == this; });
  registered_ = false;
}

std::vector<RegisteredFileType> RuntimeRegisteredFileTypes() {
  std::vector<RegisteredFileType> types;
  for (const FileTypeEntry& entry : FileTypeRegistry()) {
    types.push_back(entry.fields);
  }
  return types;
}

namespace testing {

void SetToday(std::int32_t year, std::int32_t month, std::int32_t day) {
  const QDate today(year, month, day);
  if (!today.isValid()) {
    throw UnsupportedOperationException("no such date: " + std::to_string(year) + "-" +
                                        std::to_string(month) + "-" + std::to_string(day));
  }
  FixedToday() = today;
}

void UseRealClock() {
  FixedToday().reset();
}

void SetBeepHook(std::function<void()> hook) {
  BeepHook() = std::move(hook);
}

}  // namespace testing
}  // namespace platform
