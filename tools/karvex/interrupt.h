#pragma once
// Ctrl-C and termination: the converter stops drawing, writes nothing more,
// removes its temporary files and exits, instead of dying half-way.
namespace karvex::tools {

// Installs the handlers for SIGINT and SIGTERM.
void WatchForInterrupts();
// True once either signal arrived.
bool InterruptRequested();

}  // namespace karvex::tools
