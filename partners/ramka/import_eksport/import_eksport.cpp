#include "ramka/import_eksport/import_eksport.h"

#include "dataset.h"
#include "host_funcs.h"
#include "prompter.h"
#include "ramka/import_eksport/archiwum_7z.h"
#include "ramka/import_eksport/czytanie_w_tle.h"
#include "ramka/import_eksport/postep_ie_form.h"
#include "ramka/modul.h"

#include <QApplication>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QScopeGuard>

using namespace Qt::StringLiterals;
using partners::tlumacz;

namespace {

void zDom(const QDomElement &element, TIEComposite &wezel)
{
    for (QDomElement e = element.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QDomNode pierwszy = e.firstChild();
        if (pierwszy.isText() && pierwszy.nextSibling().isNull()) {
            if (!pierwszy.nodeValue().isEmpty())
                wezel.dodajLisc(e.tagName(), pierwszy.nodeValue());
        } else if (!e.firstChildElement().isNull())
            zDom(e, *wezel.dodajWezel(e.tagName()));
    }
}

QDomElement doDom(QDomDocument &dokument, const TIEComposite &wezel)
{
    QDomElement element = dokument.createElement(wezel.name);
    for (const auto &c : wezel.children) {
        if (!c->IsLeaf()) {
            element.appendChild(doDom(dokument, static_cast<const TIEComposite &>(*c)));
            continue;
        }
        const auto &lisc = static_cast<const TIELeaf &>(*c);
        if (lisc.name == "#text"_L1) {
            element.appendChild(dokument.createTextNode(lisc.value));
            continue;
        }
        element.appendChild(dokument.createElement(lisc.name)).appendChild(dokument.createTextNode(lisc.value));
    }
    return element;
}

QDomElement nowyKorzen(QDomDocument &dokument)
{
    dokument.appendChild(dokument.createProcessingInstruction(u"xml"_s, u"version=\"1.0\" encoding=\"UTF-8\""_s));
    return dokument.appendChild(dokument.createElement(u"root"_s)).toElement();
}

void bladZapisu(const QString &sciezka, const QString &blad)
{
    host::save_log_to_file(u"ramka\\import_eksport"_s, u"TImportExport::Export"_s, __LINE__, sciezka + u": "_s + blad);
    host::InfoBox(nullptr, u"Resstrings_IDS_nie_mozna_nadpisac"_s, host::mb::IconError);
}

// A filter in the suite's "Opis|*.xml|Opis|*.csv|" form as a file dialog takes it.
QString filtrDialogu(const QString &filtr)
{
    const QStringList czesci = filtr.split(u'|', Qt::SkipEmptyParts);
    QStringList wynik;
    for (qsizetype i = 0; i + 1 < czesci.size(); i += 2)
        wynik.append(czesci[i] + u" ("_s + QString(czesci[i + 1]).replace(u';', u' ') + u')');
    return wynik.join(u";;"_s);
}

QString opisXml()
{
    return tlumacz("Resstrings_IDS_dokument_xml");
}

QString opisCsv()
{
    const QString opis = tlumacz("Resstrings_IDS_plik_csv");
    return opis.left(opis.indexOf(u" ("_s));
}

QString opis7z()
{
    return tlumacz("Resstrings_IDS_archiwum_7z");
}

QString opisWszystkich()
{
    return tlumacz("Resstrings_IDS_wszystkie_pliki_importu");
}

} // namespace

TIEDataType::TIEDataType(std::unique_ptr<Tszablon_import_from> form)
    : importForm(std::move(form))
{}

TIEDataType::TIEDataType(std::unique_ptr<Tszablon_export_from> form)
    : exportForm(std::move(form))
{}

TIEDataType::~TIEDataType() = default;

void TIEDataType::SetArchive(TSevenZipWrapper *archive)
{
    if (exportForm)
        exportForm->Archiwum = archive;
}

void TIEDataType::CollectRecords(const std::function<void(std::unique_ptr<TIEComposite>)> &receiver)
{
    // The form is gone after the first run.
    if (!exportForm)
        return;
    host::Podepnij_kwerendy(exportForm.get());
    db::DataSet *lista = exportForm->Lista();
    const int wszystkie = lista ? lista->recordCount() : 0;
    QDomDocument dokument;
    QDomElement korzen = nowyKorzen(dokument);
    korzen.setAttribute(u"version"_s, u"1.0"_s);
    korzen.setAttribute(u"recCount"_s, wszystkie);
    int numer = 0;
    for (lista ? lista->first() : void(); lista && !lista->eof(); lista->next()) {
        const int id = lista->value(u"id"_s).toInt();
        QDomElement rekord = exportForm->WriteRecord(korzen, id);
        if (!rekord.isNull())
            exportForm->WriteSubRecords(rekord, id);
        for (QDomElement e = korzen.firstChildElement(); !e.isNull(); e = korzen.firstChildElement()) {
            auto drzewo = std::make_unique<TIEComposite>(e.tagName());
            zDom(e, *drzewo);
            korzen.removeChild(e);
            receiver(std::move(drzewo));
        }
        const bool dalej = !postep || postep(++numer, wszystkie);
        QCoreApplication::processEvents();
        if (!dalej)
            break;
    }
    exportForm->EndExport();
    exportForm.reset();
}

bool TIEDataType::BeginRecords(int count)
{
    if (!importForm)
        return false;
    m_korzen = nowyKorzen(m_dokument);
    m_korzen.setAttribute(u"rowCount"_s, count);
    m_wszystkie = count;
    m_numer = 0;
    importForm->allStored = true;
    return importForm->BeginImport();
}

bool TIEDataType::ImportRecord(const TIEComposite &record)
{
    const QDomElement element = m_korzen.appendChild(doDom(m_dokument, record)).toElement();
    const bool zapisany = importForm->ImportRecord(element);
    if (importForm->stopOnError && importForm->allStored)
        importForm->allStored = zapisany;
    m_korzen.removeChild(element);
    const bool dalej = !postep || postep(++m_numer, m_wszystkie);
    QCoreApplication::processEvents();
    return dalej;
}

void TIEDataType::EndRecords()
{
    if (!importForm)
        return;
    importForm->EndImport();
    importForm.reset();
}

TImportExport::TImportExport(std::unique_ptr<TIEFileType> fileType, std::unique_ptr<Tszablon_import_from> form,
                             const QString &fileName)
    : fileType(std::move(fileType)),
      dataType(std::make_unique<TIEDataType>(std::move(form))),
      fileName(fileName),
      isExport(false)
{
    this->fileType->postep =
        dataType->postep = [this](int biezacy, int wszystkie) { return postep(biezacy, wszystkie); };
}

TImportExport::TImportExport(std::unique_ptr<TIEFileType> fileType, std::unique_ptr<Tszablon_export_from> form,
                             const QString &fileName, bool use7z)
    : fileType(std::move(fileType)),
      dataType(std::make_unique<TIEDataType>(std::move(form))),
      fileName(fileName),
      isExport(true),
      use7z(use7z)
{
    this->fileType->postep =
        dataType->postep = [this](int biezacy, int wszystkie) { return postep(biezacy, wszystkie); };
}

TImportExport::~TImportExport() = default;

bool TImportExport::Run(bool showProgress)
{
    return isExport ? Export(fileName, showProgress, true) : Import(fileName, showProgress, true);
}

bool TImportExport::postep(int biezacy, int wszystkie)
{
    if (progressForm) {
        progressForm->pokazPostep(title, biezacy, wszystkie);
        QCoreApplication::processEvents();
        m_przerwano = m_przerwano || progressForm->przerwano();
    }
    if (postepWywolujacego && !postepWywolujacego(biezacy, wszystkie))
        m_przerwano = true;
    return !m_przerwano;
}

bool TImportExport::otworzOkno(bool showProgress, const QString &tytul, const QString &podpis)
{
    if (!showProgress)
        return false;
    const bool nowe = !progressForm;
    if (nowe) {
        progressForm = new TProgressForm(QApplication::activeWindow());
        title = tytul;
    }
    progressForm->setWindowTitle(podpis);
    progressForm->show();
    return nowe;
}

void TImportExport::zamknijOkno(bool utworzone)
{
    if (!utworzone)
        return;
    progressForm->canClose = true;
    progressForm->close();
    delete progressForm;
    progressForm = nullptr;
}

bool TImportExport::Export(const QString &fileName, bool showProgress, bool collect)
{
    if (fileName.isEmpty())
        return false;
    const bool utworzone = otworzOkno(showProgress, u"Eksport"_s, u"Eksport do pliku"_s);
    const auto zamknij = qScopeGuard([&] { zamknijOkno(utworzone); });
    if (progressForm)
        progressForm->setWindowTitle(tlumacz("Resstrings_IDS_generowanie_danych"));
    const QString plik = use7z ? fileName.chopped(3) + u"xml"_s : fileName;
    if (!fileType->BeginWrite(plik)) {
        bladZapisu(plik, QString());
        return false;
    }
    const auto zapisz = [this](const std::unique_ptr<TIEComposite> &rekord) {
        rekord->Prune();
        if (!rekord->IsEmpty())
            fileType->WriteRecord(*rekord);
    };
    if (collect) {
        if (use7z)
            archive = std::make_unique<TSevenZipWrapper>(fileName);
        dataType->SetArchive(archive.get());
        dataType->CollectRecords(zapisz);
    } else {
        std::ranges::for_each(records, zapisz);
    }
    if (m_przerwano)
        return false;
    if (progressForm)
        progressForm->setWindowTitle(tlumacz("Resstrings_IDS_zapis_do_pliku"));
    QSaveFile wynik(plik);
    if (!wynik.open(QIODevice::WriteOnly) || !fileType->FinishWrite(wynik) || !wynik.commit()) {
        bladZapisu(plik, wynik.errorString());
        return false;
    }
    if (!use7z || !archive)
        return true;
    archive->AddFile(plik);
    const bool spakowane = archive->Save();
    if (!spakowane)
        bladZapisu(fileName, archive->blad());
    archive.reset();
    QFile::remove(plik);
    return spakowane;
}

bool TImportExport::Import(const QString &fileName, bool showProgress, bool deliver)
{
    const bool utworzone = otworzOkno(showProgress, u"Import"_s, tlumacz("Resstrings_IDS_Import_z_pliku"));
    const auto zamknij = qScopeGuard([&] { zamknijOkno(utworzone); });
    // The whole file is read before any record is delivered, so a file refused
    // half-way delivers nothing; it is read again record by record to deliver.
    if (!fileType->czytajKolejno(fileName, {})) {
        if (fileType->odrzucony())
            TIEFileType::zglosOdrzucenie();
        return false;
    }
    if (m_przerwano)
        return false;
    const int wszystkie = fileType->przeczytane();
    if (!deliver)
        return true;
    // Now the records delivered count, not those read.
    const PostepIE postepCzytania = std::exchange(fileType->postep, {});
    const auto przywroc = qScopeGuard([&] { fileType->postep = postepCzytania; });
    try {
        if (dataType->BeginRecords(wszystkie)) {
            CzytanieWTle czytanie([this, &fileName](const OdbiorcaRekordow &odbiorca) {
                return fileType->czytajKolejno(fileName, [&odbiorca](std::unique_ptr<TIEComposite> rekord) {
                    rekord->Prune();
                    return odbiorca(std::move(rekord));
                });
            });
            while (const std::unique_ptr<TIEComposite> rekord = czytanie.nastepny())
                if (!dataType->ImportRecord(*rekord))
                    break;
            // A file changed since it was checked.
            if (!czytanie.zakoncz() && fileType->odrzucony())
                TIEFileType::zglosOdrzucenie();
        }
        dataType->EndRecords();
    } catch (const std::exception &e) {
        host::save_log_to_file(u"ramka\\import_eksport"_s, u"TImportExport::Import"_s, __LINE__,
                               QString::fromUtf8(e.what()));
        host::InfoError(tlumacz("Resstrings_IDS_failed"));
        return false;
    }
    return !m_przerwano;
}

int kodTypuPliku(const QString &fileName)
{
    return fileName.contains(".xml"_L1) ? 1 : fileName.contains(".csv"_L1) ? 2 : 0;
}

std::unique_ptr<TImportExport> CreateImport(std::unique_ptr<Tszablon_import_from> importForm, int fileTypeCode,
                                            const QString &fileName, bool offer7z, bool offerAll)
{
    if (fileTypeCode < 0 || fileTypeCode > 2)
        return nullptr;
    QString plik = fileName;
    if (plik.isEmpty()) {
        QString filtr = fileTypeCode == 1 ? opisXml() + u"|*.xml"_s
            : fileTypeCode == 2
            ? opisCsv() + u"|*.csv"_s
            : opisXml() + u"|*.xml|"_s + opisCsv() + u"|*.csv|"_s + opisWszystkich() + u"|*.xml;*.csv|"_s;
        if (offer7z)
            filtr = offerAll ? opisXml() + u"|*.xml|"_s + opis7z() + u"|*.7z|"_s + opisWszystkich() + u"|*.xml;*.7z|"_s
                             : opis7z() + u"|*.7z"_s;
        plik = host::prompter().chooseOpenFile(QApplication::activeWindow(), tlumacz("Resstrings_IDS_Import_z_pliku"),
                                               QString(), filtrDialogu(filtr));
        if (plik.isEmpty())
            return nullptr;
    }
    auto typ = TIEFileType::utworz(fileTypeCode == 0 ? kodTypuPliku(plik) : fileTypeCode);
    return typ ? std::make_unique<TImportExport>(std::move(typ), std::move(importForm), plik) : nullptr;
}

std::unique_ptr<TImportExport> CreateExport(std::unique_ptr<Tszablon_export_from> exportForm, int fileTypeCode,
                                            const QString &fileName, bool use7z)
{
    if (fileTypeCode < 0 || fileTypeCode > 2)
        return nullptr;
    if (!exportForm->SciezkaDocelowa.isEmpty()) {
        const QString sciezka = exportForm->SciezkaDocelowa;
        return std::make_unique<TImportExport>(TIEFileType::utworz(1), std::move(exportForm), sciezka, use7z);
    }
    const auto [filtr, rozszerzenie] = use7z ? std::pair(opis7z() + u"|*.7z"_s, u"7z"_s)
        : fileTypeCode == 1                  ? std::pair(opisXml() + u"|*.xml"_s, u"xml"_s)
        : fileTypeCode == 2                  ? std::pair(opisCsv() + u"|*.csv"_s, u"csv"_s)
                                             : std::pair(opisXml() + u"|*.xml|"_s + opisCsv() + u"|*.csv"_s, u"xml"_s);
    QString plik = host::prompter().chooseSaveFile(
        QApplication::activeWindow(), tlumacz("Resstrings_IDS_ZapiszDoPliku"), fileName, filtrDialogu(filtr));
    if (plik.isEmpty())
        return nullptr;
    // The save dialog's default extension.
    if (QFileInfo(plik).suffix().isEmpty())
        plik += u'.' + rozszerzenie;
    // An archive always carries the XML layout.
    auto typ = TIEFileType::utworz(use7z ? 1 : fileTypeCode == 0 ? kodTypuPliku(plik) : fileTypeCode);
    return typ ? std::make_unique<TImportExport>(std::move(typ), std::move(exportForm), plik, use7z) : nullptr;
}
