#include "ramka/import_eksport/drzewo_ie.h"

#include <algorithm>

TIELeaf::TIELeaf(const QString &name, const QString &value)
    : name(name),
      value(value)
{
    ++zywe;
}

TIELeaf::~TIELeaf()
{
    --zywe;
}

QVariant TIELeaf::GetValue(const QString &name) const
{
    return name == this->name ? value : QStringLiteral("");
}

TIEComposite::TIEComposite(const QString &name)
    : name(name)
{
    ++zywe;
}

TIEComposite::~TIEComposite()
{
    --zywe;
}

bool TIEComposite::IsFlat() const
{
    return std::ranges::all_of(children, [](const auto &c) { return c->IsLeaf(); })
        && std::ranges::any_of(children, [](const auto &c) { return !c->IsEmpty(); });
}

void TIEComposite::Prune()
{
    for (auto i = children.size(); i-- > 0;) {
        if (!children[i]->IsEmpty())
            children[i]->Prune();
        if (children[i]->IsEmpty())
            children.erase(children.begin() + qsizetype(i));
    }
}

QVariant TIEComposite::GetValue(const QString &name) const
{
    const auto lisc = std::ranges::find_if(children, [](const auto &c) { return c->IsLeaf(); });
    return lisc == children.end() ? QVariant() : (*lisc)->GetValue(name);
}

TIELeaf *TIEComposite::dodajLisc(const QString &name, const QString &value)
{
    children.push_back(std::make_unique<TIELeaf>(name, value));
    return static_cast<TIELeaf *>(children.back().get());
}

TIEComposite *TIEComposite::dodajWezel(const QString &name)
{
    children.push_back(std::make_unique<TIEComposite>(name));
    return static_cast<TIEComposite *>(children.back().get());
}
