#pragma once
// The term list of one evaluation; it owns its terms.

#include "Term.h"

#include <memory>
#include <string>
#include <vector>

namespace zaro {

class TTrmList {
public:
    using TItems = std::vector<std::unique_ptr<TTerm>>;

    TTrmList() = default;
    TTrmList(const TTrmList&) = delete;
    TTrmList& operator=(const TTrmList&) = delete;
    ~TTrmList() { Clear(); }

    TTerm& Add(int priority, std::string text, double value);
    TTerm& Insert(int index, int priority, std::string text, double value);
    // Range-checked access (ERangeError outside 0..Count-1).
    TTerm& Items(int index);
    const TTerm& Items(int index) const;
    void Delete(int index);
    // Destroys every term, last first.
    void Clear();
    int Count() const { return static_cast<int>(Terms.size()); }

    // Hands the terms over whole, for a reduction that rebuilds the list.
    TItems Release();
    void Assign(TItems items);

private:
    TItems Terms;
};

} // namespace zaro
