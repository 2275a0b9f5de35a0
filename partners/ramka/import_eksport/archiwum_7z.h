#pragma once

#include <QString>
#include <QStringList>

struct archive;

// A 7z archive (compression level 5, no password) of the listed files, each
// stored under its bare file name.
class TSevenZipWrapper
{
public:
    explicit TSevenZipWrapper(const QString &archivePath);
    ~TSevenZipWrapper();
    TSevenZipWrapper(const TSevenZipWrapper &) = delete;
    TSevenZipWrapper &operator=(const TSevenZipWrapper &) = delete;

    void AddFile(const QString &path);
    // False with blad() telling why.
    bool Save();
    const QString &blad() const { return m_blad; }

private:
    bool zapiszPlik(const QString &path);

    archive *m_archiwum;
    QString m_sciezka;
    QStringList m_pliki;
    QString m_blad;
};
