#pragma once
// The host's command line and the other small services of the editor: printing, posted commands,
// prompts and display updates. What the module prints is 8-bit text in the module's code page.

#include <functional>
#include <string>
#include <vector>

#include "core/zrk_string.h"

// printf-style output on the host's command line.
void acutPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
// Queues a command for the host to run when it is idle.
void acedPostCommand(const char* command);
// Asks the host to show its command prompt again.
void acedPostCommandPrompt();
// Asks the host to redraw the drawing views.
void acedUpdateDisplay();

namespace host {

// Where the command line's text goes. By default it is collected in a buffer; the shell installs a
// sink that writes to the terminal.
class CommandLine {
public:
    using Sink = std::function<void(const Zrk_String& text)>;

    static CommandLine& instance();

    void print(const Zrk_String& text);
    // The sink receives every printed text as well; null removes it.
    void setSink(Sink sink) { sink_ = std::move(sink); }
    const Sink& sink() const { return sink_; }
    // Everything printed since the last clear, unless buffering is off (a long-running shell that
    // sends everything to the terminal keeps no copy).
    const Zrk_String& buffer() const { return buffer_; }
    void setBuffering(bool on) { buffering_ = on; }
    void clear();

    // What the module asked of the editor, in order.
    const std::vector<std::string>& postedCommands() const { return postedCommands_; }
    int promptRequests() const { return promptRequests_; }
    int displayUpdates() const { return displayUpdates_; }

    void recordPostedCommand(const char* command) { postedCommands_.push_back(command ? command : ""); }
    void recordPromptRequest() { ++promptRequests_; }
    void recordDisplayUpdate() { ++displayUpdates_; }

private:
    Zrk_String buffer_;
    Sink sink_;
    bool buffering_ = true;
    std::vector<std::string> postedCommands_;
    int promptRequests_ = 0;
    int displayUpdates_ = 0;
};

} // namespace host
