#include "ramka/import_eksport/archiwum_7z.h"

#include <QFile>
#include <QFileInfo>
#include <archive.h>
#include <archive_entry.h>
#include <memory>

TSevenZipWrapper::TSevenZipWrapper(const QString &archivePath)
    : m_archiwum(archive_write_new()),
      m_sciezka(archivePath)
{
    archive_write_set_format_7zip(m_archiwum);
    archive_write_set_format_option(m_archiwum, "7zip", "compression-level", "5");
}

TSevenZipWrapper::~TSevenZipWrapper()
{
    archive_write_free(m_archiwum);
}

void TSevenZipWrapper::AddFile(const QString &path)
{
    m_pliki.append(path);
}

bool TSevenZipWrapper::Save()
{
    bool ok = archive_write_open_filename(m_archiwum, QFile::encodeName(m_sciezka).constData()) == ARCHIVE_OK;
    for (const QString &plik : std::as_const(m_pliki))
        ok = ok && zapiszPlik(plik);
    ok = archive_write_close(m_archiwum) == ARCHIVE_OK && ok;
    if (!ok && m_blad.isEmpty())
        m_blad = QString::fromLocal8Bit(archive_error_string(m_archiwum));
    return ok;
}

bool TSevenZipWrapper::zapiszPlik(const QString &path)
{
    QFile plik(path);
    if (!plik.open(QIODevice::ReadOnly)) {
        m_blad = path + QStringLiteral(": ") + plik.errorString();
        return false;
    }
    const QFileInfo info(path);
    std::unique_ptr<archive_entry, decltype(&archive_entry_free)> wpis(archive_entry_new(), archive_entry_free);
    archive_entry_set_pathname_utf8(wpis.get(), info.fileName().toUtf8().constData());
    archive_entry_set_filetype(wpis.get(), AE_IFREG);
    archive_entry_set_perm(wpis.get(), 0644);
    archive_entry_set_size(wpis.get(), plik.size());
    archive_entry_set_mtime(wpis.get(), info.lastModified().toSecsSinceEpoch(), 0);
    if (archive_write_header(m_archiwum, wpis.get()) != ARCHIVE_OK)
        return false;
    while (!plik.atEnd()) {
        const QByteArray kawalek = plik.read(1 << 16);
        if (archive_write_data(m_archiwum, kawalek.constData(), std::size_t(kawalek.size())) < 0)
            return false;
    }
    return archive_write_finish_entry(m_archiwum) == ARCHIVE_OK;
}
