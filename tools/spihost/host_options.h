#pragma once
// spihost's command line.
#include <string>

namespace karvex::tools {

extern const char kHostUsage[];

struct HostOptions {
  enum class Command { Info, Supported, PictureInfo, Picture, Preview, Together, Config };
  Command command = Command::Info;
  std::string plugin;
  std::string input;
  std::string output;
  std::string secondInput;   // together: the second request's file
  std::string secondOutput;  // together: and its picture
  int number = 0;          // info: the info number; config: the function code
  int bufferLength = 256;  // info: the buffer length handed over
  unsigned flag = 0;
  bool memoryImage = false;
  bool lengthGiven = false;
  long length = 0;
  long abortFrom = 0;
  bool noCallback = false;
  bool unload = false;
  bool parentWindow = false;  // config: a top-level window of our own as the parent
  std::string script;         // config: steps a second thread carries out in the dialog
};

// False with an empty error for --help, with a message for a usage error.
bool ParseHostOptions(int argc, char** argv, HostOptions& options, std::string& error);

}  // namespace karvex::tools
