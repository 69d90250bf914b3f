// The script-test driver: runs one tests/scripts/**/NAME.yrh with the real
// runtime in console mode and compares what it prints.
//
// NAME.yrh is stored in UTF-8 and converted to Shift_JIS before the run
// (NAME.sjis.yrh is run byte for byte). Beside it:
//   NAME.out   expected standard output (none: empty)
//   NAME.err   expected standard error (none: empty)
//   NAME.exit  expected exit status (none: 0)
//   NAME.in    standard input (none: empty)
//   NAME.args  the runtime's whole parameter list, one per line, where $SCRIPT
//              stands for the script (none: the script alone; empty: no
//              parameters at all)
//   NAME.files/ a folder copied into the run folder
//   NAME.inject GUI actions played into the idle script (YURAHOSI_INJECT)
// The run folder is the current folder of the run, and its ".data" folder
// stands for the user's data folder (the trash).
// The run folder's path is written $DIR in the expected texts.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/codepage.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTimeLimitSeconds = 40;

bool ReadFile(const fs::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return true;
}

std::string ReadFileOr(const fs::path& path, const std::string& fallback) {
  std::string content;
  return ReadFile(path, content) ? content : fallback;
}

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

fs::path MakeTempFolder(const char* tag) {
  std::string pattern = (fs::temp_directory_path() / (std::string("yura-") + tag + "-XXXXXX")).string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(2);
  }
  return fs::path(buffer.data());
}

struct TRun {
  int Status = -1;
  bool TimedOut = false;
};

TRun Execute(const std::string& runtime, const std::vector<std::string>& args, const fs::path& folder,
             const fs::path& input, const fs::path& output, const fs::path& error, const fs::path& actions) {
  const pid_t child = fork();
  if (child == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    const int in = open(input.c_str(), O_RDONLY);
    const int out = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (in < 0 || out < 0 || err < 0) _exit(126);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    setenv("YURAHOSI_CONSOLE", "1", 1);
    // The trash of ファイル削除 lives in the run folder.
    setenv("XDG_DATA_HOME", (folder / ".data").c_str(), 1);
    if (!actions.empty()) setenv("YURAHOSI_INJECT", actions.c_str(), 1);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(runtime.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(runtime.c_str(), argv.data());
    _exit(127);
  }
  TRun run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(kTimeLimitSeconds);
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(child, &status, WNOHANG);
    if (done == child) {
      run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return run;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      run.TimedOut = true;
      return run;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

bool Compare(const char* what, const std::string& expected, const std::string& actual) {
  if (expected == actual) return true;
  std::cout << "--- " << what << " differs\n--- expected:\n" << expected << "\n--- actual:\n" << actual << "\n";
  const std::vector<std::string> a = Lines(expected), b = Lines(actual);
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    const std::string left = i < a.size() ? a[i] : "<none>", right = i < b.size() ? b[i] : "<none>";
    if (left != right) {
      std::cout << "--- first difference at line " << (i + 1) << ":\n  expected: " << left << "\n  actual:   " << right
                << "\n";
      break;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: yura_script_runner RUNTIME SCRIPT.yrh\n";
    return 2;
  }
  const std::string runtime = fs::absolute(argv[1]).string();
  const fs::path script = fs::absolute(argv[2]);
  const fs::path base = script.parent_path() / script.stem();  // .../NAME
  const std::string scriptName = script.filename().string();
  const bool rawBytes = script.stem().extension() == ".sjis";

  std::string text;
  if (!ReadFile(script, text)) {
    std::cout << "cannot read " << script << "\n";
    return 1;
  }
  if (!rawBytes) {
    std::string converted;
    yura::TStrictFailure failure;
    if (!yura::Utf8ToSjisStrict(text, converted, failure)) {
      std::cout << "the test script has a character without a Shift_JIS form at byte " << failure.Offset << "\n";
      return 1;
    }
    text = std::move(converted);
  }

  const fs::path folder = MakeTempFolder("run");
  const fs::path capture = MakeTempFolder("out");
  WriteFile(folder / scriptName, text);
  const fs::path files = base.string() + ".files";
  if (fs::is_directory(files)) fs::copy(files, folder, fs::copy_options::recursive);

  std::vector<std::string> args{scriptName};
  std::string argsText;
  if (ReadFile(base.string() + ".args", argsText)) {
    args.clear();
    for (std::string line : Lines(argsText)) args.push_back(line == "$SCRIPT" ? scriptName : line);
  }

  fs::path input = base.string() + ".in";
  if (!fs::exists(input)) input = "/dev/null";
  fs::path actions = base.string() + ".inject";
  if (fs::exists(actions))
    actions = fs::absolute(actions);
  else
    actions.clear();
  const TRun run = Execute(runtime, args, folder, input, capture / "stdout", capture / "stderr", actions);

  const std::string dir = folder.string();
  auto normalise = [&](std::string s) { return ReplaceAll(s, dir, "$DIR"); };
  const std::string out = normalise(ReadFileOr(capture / "stdout", ""));
  const std::string err = normalise(ReadFileOr(capture / "stderr", ""));
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::remove_all(capture, ignored);

  if (run.TimedOut) {
    std::cout << "timed out after " << kTimeLimitSeconds << " seconds\n--- stdout:\n" << out << "\n--- stderr:\n" << err;
    return 1;
  }
  bool ok = Compare("stdout", ReadFileOr(base.string() + ".out", ""), out);
  ok = Compare("stderr", ReadFileOr(base.string() + ".err", ""), err) && ok;
  const std::string expectedExit = ReadFileOr(base.string() + ".exit", "0");
  const int expectedStatus = std::atoi(expectedExit.c_str());
  if (run.Status != expectedStatus) {
    std::cout << "--- exit status " << run.Status << ", expected " << expectedStatus << "\n";
    ok = false;
  }
  return ok ? 0 : 1;
}
