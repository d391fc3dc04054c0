#pragma once
#include <functional>

namespace reader {

// Runs one event's work for the reader's window. An exception from the page
// engine or the scrollbar (a bar as long as its track has nowhere to go)
// ends that work and is logged on the error output; it goes no further, as
// it would end the program in the window system's event loop, and the
// window stays usable.
void RunGuarded(const char* event, const std::function<void()>& work);

// The handler with its work run through RunGuarded.
template <class Handler>
auto Guarded(const char* event, Handler handler)
{
    return [event, handler = std::move(handler)](const auto&... args) {
        RunGuarded(event, [&] { handler(args...); });
    };
}

} // namespace reader
