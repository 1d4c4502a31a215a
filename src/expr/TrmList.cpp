#include "TrmList.h"

#include "ZaroErrors.h"

#include <utility>

namespace zaro {

TTerm& TTrmList::Add(int priority, std::string text, double value) {
    Terms.push_back(std::make_unique<TTerm>(priority, std::move(text), value));
    return *Terms.back();
}

TTerm& TTrmList::Insert(int index, int priority, std::string text, double value) {
    CheckIndex(index, Count() + 1);
    auto at = Terms.insert(Terms.begin() + index,
                           std::make_unique<TTerm>(priority, std::move(text), value));
    return **at;
}

TTerm& TTrmList::Items(int index) {
    CheckIndex(index, Count());
    return *Terms[static_cast<std::size_t>(index)];
}

const TTerm& TTrmList::Items(int index) const {
    CheckIndex(index, Count());
    return *Terms[static_cast<std::size_t>(index)];
}

void TTrmList::Delete(int index) {
    CheckIndex(index, Count());
    Terms.erase(Terms.begin() + index);
}

void TTrmList::Clear() {
    while (!Terms.empty()) {
        Terms.pop_back();
    }
}

TTrmList::TItems TTrmList::Release() {
    TItems items = std::move(Terms);
    Terms.clear();
    return items;
}

void TTrmList::Assign(TItems items) {
    Clear();
    Terms = std::move(items);
}

} // namespace zaro
