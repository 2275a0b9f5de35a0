#pragma once

#include <QString>
#include <functional>

namespace partners {

// What the filters need to know of one grid column; the frame fills it from
// its grid so that the rules here stay free of widgets.
struct GridColumnInfo
{
    QString fieldName;
    QString title; // as shown (already translated)
    bool visible = true;
};

// Turns a "Resstrings_IDS_" key into the text of the current language.
using Translate = std::function<QString(const QString &key)>;

// The host's translation; tests pass their own.
Translate hostTranslate();

} // namespace partners
