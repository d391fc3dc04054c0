#include "CStack.h"

namespace richtext {

void CStack::NewS() { items_.clear(); }

void CStack::AddItem(const std::string& item) { items_.push_back(item); }

std::string CStack::GetItem() const { return items_.empty() ? std::string() : items_.back(); }

void CStack::Remove()
{
    if (!items_.empty())
        items_.pop_back();
}

} // namespace richtext
