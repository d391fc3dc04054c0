#pragma once
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace platform {

// An indexed set of controls of one kind. Element 0 is the template the host
// made; further elements are created from it and removed again.
template <class T>
class ControlSet {
public:
    using Maker = std::function<std::unique_ptr<T>(T& templateElement)>;

    ControlSet(std::unique_ptr<T> templateElement, Maker maker)
        : maker_(std::move(maker))
    {
        elements_.push_back(std::move(templateElement));
    }

    // Number of slots: the highest loaded index + 1.
    int count() const { return int(elements_.size()); }
    bool exists(int index) const { return index >= 0 && index < count() && elements_[index]; }

    T& operator[](int index)
    {
        if (!exists(index))
            throw std::out_of_range("control set: no element at this index");
        return *elements_[index];
    }

    // Creates element `index` from the template. Loading a loaded index fails.
    void load(int index)
    {
        if (index <= 0 || exists(index))
            throw std::invalid_argument("control set: element already loaded");
        if (index >= count())
            elements_.resize(index + 1);
        elements_[index] = maker_(*elements_[0]);
    }

    void unload(int index)
    {
        if (index <= 0 || !exists(index))
            throw std::out_of_range("control set: no element to unload");
        elements_[index].reset();
        while (elements_.size() > 1 && !elements_.back())
            elements_.pop_back();
    }

private:
    Maker maker_;
    std::vector<std::unique_ptr<T>> elements_;
};

} // namespace platform
