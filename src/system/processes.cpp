// Processes: command lines built from format texts, started with a bounded wait.
#include <windows.h>

#include <cstdarg>

#include "install/install_base.h"

namespace {

constexpr DWORD kWaitMilliseconds = 1000;

}  // namespace

int CInstallBase::RunCommand(StringId format, ...) {
  if (format == 0) return 0;
  GetText(format, scratchText);
  GString command;
  command.AssignWide(u"", 0);
  va_list arguments;
  va_start(arguments, format);
  const int built = command.FormatAppend(scratchText.WideText(0), arguments);
  va_end(arguments);
  // A command line that could not be built whole is not run at all.
  if (!built) return 0;
  // CreateProcessW may write into the command line: it is this text's own buffer.
  auto* line = static_cast<char16_t*>(command.Terminate());
  if (line == nullptr) return 1;
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (CreateProcessW(nullptr, ToWchar(line), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &process)) {
    // The program runs on after the wait; only its handles are given up.
    WaitForSingleObject(process.hProcess, kWaitMilliseconds);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return 1;
}

int CInstallBase::RunAssociatedProgram(StringId association, StringId format,
                                       const char16_t* argument) {
  GString program;
  if (!FindAssociatedProgram(association, program)) return 0;
  RunCommand(format, program.WideText(0), argument);
  return 1;
}

int CInstallBase::Launch() {
  GString argument;
  GetText(95, argument);
  return RunAssociatedProgram(41, 2, argument.WideText(0));
}
