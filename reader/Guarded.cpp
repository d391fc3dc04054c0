#include "Guarded.h"

#include <exception>
#include <iostream>

namespace reader {

void RunGuarded(const char* event, const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& e) {
        std::cerr << "reader: " << event << " stopped: " << e.what() << '\n';
    }
}

} // namespace reader
