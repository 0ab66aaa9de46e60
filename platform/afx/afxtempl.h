// CArray: the framework's growable array template.
#pragma once

#include <vector>

#include "../win32/windows.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray {
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(items_.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    BOOL IsEmpty() const { return items_.empty(); }
    void SetSize(INT_PTR newSize) { items_.resize(static_cast<size_t>(newSize)); }
    void RemoveAll() { items_.clear(); items_.shrink_to_fit(); }

    const TYPE& GetAt(INT_PTR index) const { return items_[static_cast<size_t>(index)]; }
    TYPE& ElementAt(INT_PTR index) { return items_[static_cast<size_t>(index)]; }
    void SetAt(INT_PTR index, ARG_TYPE element) { items_[static_cast<size_t>(index)] = element; }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return ElementAt(index); }

    INT_PTR Add(ARG_TYPE element)
    {
        items_.push_back(element);
        return GetUpperBound();
    }

private:
    std::vector<TYPE> items_;
};
