#include "spihost/host_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace karvex::tools {

const char kHostUsage[] =
    "usage: spihost PLUGIN COMMAND [ARGUMENTS] [OPTIONS]\n"
    "\n"
    "Loads a 00IN import-filter plug-in and calls one of its exports.\n"
    "\n"
    "commands:\n"
    "  info N                 GetPluginInfo(N); prints the result and the text\n"
    "  supported FILE         IsSupported(FILE, first bytes)\n"
    "  picinfo FILE           GetPictureInfo; prints the record field by field\n"
    "  picture FILE [OUT.bmp] GetPicture; prints every progress call, the result\n"
    "                         and the block sizes, writes the picture to OUT.bmp\n"
    "  preview FILE [OUT.bmp] the same through GetPreview\n"
    "  together FILE1 OUT1.bmp FILE2 OUT2.bmp\n"
    "                         GetPicture for both files at once, each on a thread\n"
    "                         of its own, both started at the same moment; every\n"
    "                         line says which request (1 or 2) it is about\n"
    "  config [N]             ConfigurationDlg(console window, N), N defaults to 1;\n"
    "                         then prints the size GetPictureInfo now reports\n"
    "\n"
    "options:\n"
    "  --buflen L       buffer length for info (default 256)\n"
    "  --mem            hand FILE over as a memory image (flag bit 0 set)\n"
    "  --flag F         the flag argument (default 0; --mem adds 1)\n"
    "  --len L          the len argument (default: the image's size, 0 for files)\n"
    "  --abort-from N   the progress callback answers non-zero from its N-th call on\n"
    "  --no-callback    pass a null progress callback\n"
    "  --unload         unload the plug-in before exiting and say so\n"
    "  --parent-window  config: open the dialog over a window of spihost's own\n"
    "  --script STEPS   config: a second thread works the dialog, steps apart by ';':\n"
    "                     width=KEYS height=KEYS  click into the field, clear it, type\n"
    "                     click=NAME  (width height ratio default mode1 mode2 mode3 ok cancel)\n"
    "                     type=TEXT  key=NAME  (tab enter escape backspace end)\n"
    "                     ok  cancel  default  close (the title bar's close box)\n"
    "                     report  geometry  message (print the message box, press OK)\n"
    "                     shot=FILE.bmp (a picture of the dialog)  wait=MS\n"
    "  --help           this text\n"
    "\n"
    "exit status: 0 success, 1 the plug-in returned an error, 2 usage error,\n"
    "3 the plug-in could not be loaded, 4 the plug-in changed the x87 control word,\n"
    "5 a --script step failed\n"
    "\n"
    "examples: spihost karvex.spi picture C:\\plans\\floor.dxf floor.bmp --abort-from 3\n"
    "          spihost karvex.spi config --parent-window --script \"width=1024;report;ok\"\n";

namespace {

bool ParseNumber(const char* text, long& value) {
  errno = 0;
  char* end = nullptr;
  value = std::strtol(text, &end, 0);
  return errno == 0 && end != text && *end == '\0';
}

}  // namespace

bool ParseHostOptions(int argc, char** argv, HostOptions& options, std::string& error) {
  int positional = 0;
  std::string command;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto needValue = [&](long& value) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], value)) {
        error = arg + " needs a number";
        return false;
      }
      ++i;
      return true;
    };
    long value = 0;
    if (arg == "--help" || arg == "-h") {
      error.clear();
      return false;
    } else if (arg == "--buflen") {
      if (!needValue(value)) return false;
      options.bufferLength = static_cast<int>(value);
    } else if (arg == "--mem") {
      options.memoryImage = true;
    } else if (arg == "--flag") {
      if (!needValue(value)) return false;
      options.flag = static_cast<unsigned>(value);
    } else if (arg == "--len") {
      if (!needValue(value)) return false;
      options.length = value;
      options.lengthGiven = true;
    } else if (arg == "--abort-from") {
      if (!needValue(value)) return false;
      options.abortFrom = value;
    } else if (arg == "--no-callback") {
      options.noCallback = true;
    } else if (arg == "--unload") {
      options.unload = true;
    } else if (arg == "--parent-window") {
      options.parentWindow = true;
    } else if (arg == "--script") {
      if (i + 1 >= argc) {
        error = "--script needs its steps";
        return false;
      }
      options.script = argv[++i];
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      error = "unknown option " + arg;
      return false;
    } else {
      switch (positional++) {
        case 0: options.plugin = arg; break;
        case 1: command = arg; break;
        case 2:
          if (command == "info" || command == "config") {
            if (!ParseNumber(arg.c_str(), value)) {
              error = command + " takes a number";
              return false;
            }
            options.number = static_cast<int>(value);
          } else {
            options.input = arg;
          }
          break;
        case 3: options.output = arg; break;
        case 4:
        case 5:
          if (command != "together") {
            error = "too many arguments";
            return false;
          }
          (positional == 5 ? options.secondInput : options.secondOutput) = arg;
          break;
        default: error = "too many arguments"; return false;
      }
    }
  }
  if (options.memoryImage) options.flag |= 1u;
  if (options.plugin.empty() || command.empty()) {
    error = "a plug-in and a command are needed";
    return false;
  }
  if (command == "info") {
    options.command = HostOptions::Command::Info;
    if (positional < 3) error = "info needs a number";
  } else if (command == "supported") {
    options.command = HostOptions::Command::Supported;
  } else if (command == "picinfo") {
    options.command = HostOptions::Command::PictureInfo;
  } else if (command == "picture") {
    options.command = HostOptions::Command::Picture;
  } else if (command == "preview") {
    options.command = HostOptions::Command::Preview;
  } else if (command == "together") {
    options.command = HostOptions::Command::Together;
    if (positional < 6) error = "together needs two files, each with its picture";
  } else if (command == "config") {
    options.command = HostOptions::Command::Config;
    if (positional < 3) options.number = 1;
  } else {
    error = "unknown command " + command;
  }
  if (error.empty() && options.command != HostOptions::Command::Info && options.command != HostOptions::Command::Config &&
      options.input.empty()) {
    error = command + " needs a file";
  }
  return error.empty();
}

}  // namespace karvex::tools
