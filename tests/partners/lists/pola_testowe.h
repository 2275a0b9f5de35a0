#pragma once

#include "dataset.h"

// Field definitions of in-memory data sets built by the list tests.
namespace listytest {

inline db::FieldDef pole(const char *nazwa, QMetaType::Type typ = QMetaType::QString)
{
    db::FieldDef f;
    f.name = QString::fromLatin1(nazwa);
    f.type = typ;
    return f;
}

} // namespace listytest
