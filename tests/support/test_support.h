// Fakes at the seams: a scripted console and helpers for temporary files.
#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "runtime/console.h"

namespace veska::test {

// A console that answers from a script and records everything written.
class ScriptedConsole : public runtime::Console {
 public:
  explicit ScriptedConsole(std::vector<std::string> answers = {})
      : answers_(answers.begin(), answers.end()) {}

  bool write(std::string_view bytes) override {
    output += bytes;
    return true;
  }
  std::optional<std::string> readLine(std::size_t capacity) override {
    if (answers_.empty()) return std::nullopt;
    std::string line = answers_.front();
    answers_.pop_front();
    if (line.size() > capacity) line.resize(capacity);
    output += line + "\r\n";  // as the window shows a typed answer
    return line;
  }
  void yield() override {}
  void terminate(int status) override { terminated = status; }

  std::string output;
  std::optional<int> terminated;

 private:
  std::deque<std::string> answers_;
};

// A fresh empty directory under the system's temporary directory, removed
// with the object; the working directory is changed into it and restored.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};

void writeFile(const std::filesystem::path& path, const std::string& bytes);
std::string readFile(const std::filesystem::path& path);
// The directory of the real files published by others, or nullopt when the
// shared data is not present beside the checkout.
std::optional<std::filesystem::path> realDataDir();

}  // namespace veska::test
