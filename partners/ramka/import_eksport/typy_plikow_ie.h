#pragma once

#include "ramka/import_eksport/drzewo_ie.h"

#include <QStringList>

// The file side of an import/export job: record trees to the lines of a file
// and a file back to record trees.
class TIEFileType
{
public:
    virtual QStringList Write(const RekordyIE &records) = 0;
    // A file the layout does not accept is told to the user, gives no records and false.
    virtual bool Read(const QString &fileName, RekordyIE &records) = 0;
    virtual ~TIEFileType() = default;

    // 1 XML, 2 CSV; null for any other code.
    static std::unique_ptr<TIEFileType> utworz(int kod);

    PostepIE postep;

protected:
    bool zglosPostep(int biezacy, int wszystkie) const { return !postep || postep(biezacy, wszystkie); }
    static bool odrzucPlik(RekordyIE &records);
    // The file's text without the byte-order mark; empty when it cannot be read.
    static QString wczytajTekst(const QString &fileName);
};

class TIEFileTypeXML : public TIEFileType
{
public:
    QStringList Write(const RekordyIE &records) override;
    bool Read(const QString &fileName, RekordyIE &records) override;
};

class TIEFileTypeCSV : public TIEFileType
{
public:
    QStringList Write(const RekordyIE &records) override;
    bool Read(const QString &fileName, RekordyIE &records) override;
};
