#pragma once

#include "ramka/import_eksport/drzewo_ie.h"
#include "ramka/import_eksport/szablony_ie.h"
#include "ramka/import_eksport/typy_plikow_ie.h"

#include <QDomDocument>

class TProgressForm;
class TSevenZipWrapper;

// The data side of a job: drives the form record by record and converts
// between its XML elements and record trees. Owns the form until its run ends.
class TIEDataType
{
public:
    explicit TIEDataType(std::unique_ptr<Tszablon_import_from> form);
    explicit TIEDataType(std::unique_ptr<Tszablon_export_from> form);
    ~TIEDataType();

    // Hands each record to the receiver as soon as it is a tree.
    void CollectRecords(const std::function<void(std::unique_ptr<TIEComposite>)> &receiver);
    // An import record by record: the form's BeginImport, then each record
    // (false when the job is to stop), then EndImport.
    bool BeginRecords(int count);
    bool ImportRecord(const TIEComposite &record);
    void EndRecords();
    void SetArchive(TSevenZipWrapper *archive);

    std::unique_ptr<Tszablon_import_from> importForm;
    std::unique_ptr<Tszablon_export_from> exportForm;
    PostepIE postep;

private:
    QDomDocument m_dokument;
    QDomElement m_korzen;
    int m_wszystkie = 0;
    int m_numer = 0;
};

// One import or export job from start to end, run once.
class TImportExport
{
public:
    TImportExport(std::unique_ptr<TIEFileType> fileType, std::unique_ptr<Tszablon_import_from> form,
                  const QString &fileName);
    TImportExport(std::unique_ptr<TIEFileType> fileType, std::unique_ptr<Tszablon_export_from> form,
                  const QString &fileName, bool use7z);
    ~TImportExport();

    // Without showProgress no window appears; postepWywolujacego still hears
    // the progress and may stop the job. False when the job did not finish.
    bool Run(bool showProgress = true);
    bool Export(const QString &fileName, bool showProgress = true, bool collect = true);
    bool Import(const QString &fileName, bool showProgress = true, bool deliver = true);
    // Records of the last export's file.
    int writtenRecords() const { return fileType->writtenRecords(); }

    std::unique_ptr<TIEFileType> fileType;
    std::unique_ptr<TIEDataType> dataType;
    // What an export without collecting writes; a run reads or writes each
    // record as it comes and keeps none here.
    RekordyIE records;
    QString fileName;
    bool isExport;
    bool use7z = false;
    std::unique_ptr<TSevenZipWrapper> archive;
    TProgressForm *progressForm = nullptr;
    QString title;
    PostepIE postepWywolujacego;

private:
    bool postep(int biezacy, int wszystkie);
    // True when the window was created here, for zamknijOkno to destroy.
    bool otworzOkno(bool showProgress, const QString &tytul, const QString &podpis);
    void zamknijOkno(bool utworzone);
    bool m_przerwano = false;
};

// 1 for a name containing ".xml", 2 for ".csv" (case counts), else 0.
int kodTypuPliku(const QString &fileName);

// File type codes: 0 by the chosen name, 1 XML, 2 CSV. Without a file name
// the user chooses one; null when cancelled or the name fits no file type.
// A job on a known file and format without any dialog is a TImportExport
// built directly with TIEFileType::utworz.
std::unique_ptr<TImportExport> CreateImport(std::unique_ptr<Tszablon_import_from> importForm, int fileTypeCode,
                                            const QString &fileName, bool offer7z = false, bool offerAll = false);
std::unique_ptr<TImportExport> CreateExport(std::unique_ptr<Tszablon_export_from> exportForm, int fileTypeCode,
                                            const QString &fileName, bool use7z = false);
