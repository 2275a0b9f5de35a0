#pragma once

#include "ramka/import_eksport/drzewo_ie.h"

#include <QStringList>
#include <QTemporaryFile>

class QIODevice;

// The file side of an import/export job: record trees to the lines of a file
// and a file back to record trees.
//
// Writing goes record by record, so an export never holds more than one
// record: each record's lines go to a scratch file beside the target, and
// FinishWrite puts before them what depends on every record (the XML record
// count, the CSV header).
class TIEFileType
{
public:
    // False when no scratch file can be made beside fileName.
    bool BeginWrite(const QString &fileName);
    void WriteRecord(const TIEComposite &record);
    // The whole file as the export saves it: byte-order mark, UTF-8, CR LF after every line.
    bool FinishWrite(QIODevice &target);
    int writtenRecords() const { return m_zapisane; }

    // A file the layout does not accept is told to the user, gives no records and false.
    bool Read(const QString &fileName, RekordyIE &records);
    // The file's records one at a time, so a large file is never held whole;
    // a false from the receiver ends the reading. A file the layout does not
    // accept gives false and odrzucony(), after the records before the fault
    // went to the receiver; telling the user is the caller's, as the reading
    // may run on a thread of its own. Without a receiver the file is only
    // checked and its records counted, no tree built.
    virtual bool czytajKolejno(const QString &fileName, const OdbiorcaRekordow &odbiorca) = 0;
    bool odrzucony() const { return m_odrzucony; }
    static void zglosOdrzucenie();
    // Records of the last czytajKolejno.
    int przeczytane() const { return m_przeczytane; }
    virtual ~TIEFileType() = default;

    // 1 XML, 2 CSV; null for any other code.
    static std::unique_ptr<TIEFileType> utworz(int kod);

    PostepIE postep;

protected:
    int m_przeczytane = 0;
    bool m_odrzucony = false;
    // Appends the record's lines, each ending in CR LF.
    virtual void zapiszRekord(const TIEComposite &record, QString &tekst) = 0;
    virtual QStringList poczatek() const = 0;
    virtual QStringList koniec() const { return {}; }
    // Copies the records' lines after the beginning.
    virtual bool przepiszRekordy(QIODevice &rekordy, QIODevice &target);

    bool zglosPostep(int biezacy, int wszystkie) const { return !postep || postep(biezacy, wszystkie); }
    bool odrzucPlik();

private:
    std::unique_ptr<QTemporaryFile> m_rekordy;
    int m_zapisane = 0;
    bool m_bladZapisu = false;
    // Reused from record to record, so its buffer is allocated once.
    QString m_tekst;
};

class TIEFileTypeXML : public TIEFileType
{
public:
    bool czytajKolejno(const QString &fileName, const OdbiorcaRekordow &odbiorca) override;

protected:
    void zapiszRekord(const TIEComposite &record, QString &tekst) override;
    QStringList poczatek() const override;
    QStringList koniec() const override;
};

class TIEFileTypeCSV : public TIEFileType
{
public:
    TIEFileTypeCSV();
    ~TIEFileTypeCSV() override;
    bool czytajKolejno(const QString &fileName, const OdbiorcaRekordow &odbiorca) override;

protected:
    void zapiszRekord(const TIEComposite &record, QString &tekst) override;
    QStringList poczatek() const override;
    bool przepiszRekordy(QIODevice &rekordy, QIODevice &target) override;

private:
    struct Zapis;
    std::unique_ptr<Zapis> m_zapis;
};
