#include "host/command_line.h"

#include <cstdarg>
#include <cstdio>

void acutPrintf(const char* format, ...) {
    if (!format) return;
    va_list arguments;
    va_start(arguments, format);
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    Zrk_String text;
    if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, arguments);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(arguments);
    host::CommandLine::instance().print(text);
}

void acedPostCommand(const char* command) { host::CommandLine::instance().recordPostedCommand(command); }
void acedPostCommandPrompt() { host::CommandLine::instance().recordPromptRequest(); }
void acedUpdateDisplay() { host::CommandLine::instance().recordDisplayUpdate(); }

namespace host {

CommandLine& CommandLine::instance() {
    static CommandLine commandLine;
    return commandLine;
}

void CommandLine::print(const Zrk_String& text) {
    if (buffering_) buffer_ += text;
    if (sink_) sink_(text);
}

void CommandLine::clear() {
    buffer_.clear();
    postedCommands_.clear();
    promptRequests_ = 0;
    displayUpdates_ = 0;
}

} // namespace host
