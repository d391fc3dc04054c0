#pragma once
#include <string>
#include <vector>

namespace richtext {

// A last-in, first-out stack of strings. Reading or removing from an empty
// stack is harmless: the page engine pops closing tags that were never opened.
class CStack {
public:
    void NewS();
    void AddItem(const std::string& item);
    // The top item, or the empty string when the stack is empty.
    std::string GetItem() const;
    void Remove();

    int count() const { return int(items_.size()); }

private:
    std::vector<std::string> items_;
};

} // namespace richtext
