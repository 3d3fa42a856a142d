#pragma once
// Runs the built converter as a user would: arguments, environment and
// standard input in; exit status, standard output and standard error out.
// Each Scratch has a folder of its own and a settings home inside it, so no
// test reads or writes the user's settings.
#include <map>
#include <string>
#include <vector>

namespace karvex::testing {

struct ConverterRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& Folder() const { return folder_; }
  std::string Path(const std::string& name) const { return folder_ + "/" + name; }
  // XDG_CONFIG_HOME of every run from here.
  std::string ConfigHome() const { return folder_ + "/config"; }
  std::string SettingsFile() const { return ConfigHome() + "/karvex/settings.ini"; }

  // Writes a file inside the folder; returns its path.
  std::string Write(const std::string& name, const std::string& contents) const;
  // The files in the folder, hidden ones too, sorted (the config folder
  // left out).
  std::vector<std::string> Files(const std::string& subfolder = "") const;

  ConverterRun Run(const std::vector<std::string>& arguments, const std::string& standardInput = "",
                   const std::map<std::string, std::string>& environment = {}) const;
  // The same with standard input a terminal on which `typed` is typed,
  // followed by Ctrl-D.
  ConverterRun RunOnTerminal(const std::vector<std::string>& arguments, const std::string& typed) const;

 private:
  // Runs the converter with childInput as its standard input when it is an
  // open descriptor, otherwise a pipe that standardInput is written to.
  ConverterRun Exchange(const std::vector<std::string>& arguments, const std::string& standardInput,
                        const std::map<std::string, std::string>& environment, int childInput) const;

  std::string folder_;
};

std::string ReadFile(const std::string& path);

struct ShellRun {
  int exitCode = -1;
  std::string output;  // standard output and error together
};

// Runs a command line with /bin/sh.
ShellRun RunShell(const std::string& command);

// A text quoted for the shell: 'it'\''s'.
std::string ShellQuoted(const std::string& text);

// Where the corpus of real drawings lies; empty when it is not there.
std::string CorpusFile(const std::string& name);

}  // namespace karvex::testing
