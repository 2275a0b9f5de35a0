#pragma once

#include "fuzz_support.h"
#include "ramka/import_eksport/typy_plikow_ie.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

// A tree as text. `byName` lists children by name, keeping only the order of
// like-named ones: a layout that spreads a record over cells keeps no more.
inline QString describe(const TIEComponent &node, bool byName)
{
    if (node.IsLeaf())
        return u"%1=%2;"_s.arg(node.GetName().size()).arg(node.GetName() + static_cast<const TIELeaf &>(node).value);
    std::vector<const TIEComponent *> children;
    for (const auto &child : static_cast<const TIEComposite &>(node).children)
        children.push_back(child.get());
    if (byName)
        std::ranges::stable_sort(children, {}, [](auto *c) { return std::pair(c->GetName(), !c->IsLeaf()); });
    QString text = node.GetName() + u'{';
    for (const TIEComponent *child : children)
        text += describe(*child, byName);
    return text + u'}';
}

inline QString describe(const RekordyIE &records, bool byName)
{
    QString text;
    for (const auto &record : records)
        text += describe(*record, byName) + u'\n';
    return text;
}

// Whatever the reader makes of the input, the writer writes (as the export
// saves it: BOM, UTF-8, CR LF) and the reader reads back to the same trees.
inline void checkRoundTrip(TIEFileType &type, const uint8_t *data, size_t size, bool byName)
{
    static QTemporaryDir dir;
    static host::ScriptedPrompter &prompter = host::installScriptedPrompter();
    prompter.clear();
    const QString path = dir.filePath(u"input"_s);
    const auto save = [&path](const QByteArray &bytes) {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), u"cannot write "_s + path);
    };
    save(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    RekordyIE first;
    if (!type.Read(path, first)) {
        FUZZ_CHECK(first.empty() && prompter.questions().size() == 1, u"a refused file left records or no message"_s);
        return;
    }
    if (first.empty())
        return; // a file of no records is written as a bare header, which no reader takes
    FUZZ_CHECK(type.BeginWrite(path), u"no scratch file beside "_s + path);
    for (const auto &record : first)
        type.WriteRecord(*record);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    FUZZ_CHECK(type.FinishWrite(buffer), u"the writer failed"_s);
    const QByteArray written = buffer.data();
    save(written);
    RekordyIE second;
    FUZZ_CHECK(type.Read(path, second), u"the writer's own file is refused:\n"_s + QString::fromUtf8(written));
    FUZZ_CHECK(describe(first, byName) == describe(second, byName),
               u"read:\n%1written:\n%2read back:\n%3"_s.arg(describe(first, byName), QString::fromUtf8(written),
                                                            describe(second, byName)));
}
