#pragma once

#include <QDomElement>
#include <QObject>

class TSevenZipWrapper;
namespace db {
class DataSet;
}

// The export side of an import/export job, as a subsystem supplies it: the
// rows come from Lista (a data set with an `id` column, opened by the form),
// and each row becomes one record element under the document element with
// the elements of the rows that depend on it. The job owns the form.
class Tszablon_export_from : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    virtual db::DataSet *Lista() = 0;
    // Adds the row's record element under the document element and returns it.
    virtual QDomElement WriteRecord(QDomElement &documentElement, int id) = 0;
    // Adds the elements of the rows that depend on the record.
    virtual void WriteSubRecords(QDomElement &recordElement, int id) = 0;
    // After the last row.
    virtual void EndExport() {}

    // The archive the written file goes into; the job sets it before the rows are read.
    TSevenZipWrapper *Archiwum = nullptr;
    // Where the file goes without a save dialog; empty: the user chooses.
    QString SciezkaDocelowa;
};

// The import side: the job hands every record element of the file, in file
// order, to ImportRecord. The job owns the form.
class Tszablon_import_from : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // False skips every record.
    virtual bool BeginImport() { return true; }
    // Whether the record was stored.
    virtual bool ImportRecord(const QDomElement &record) = 0;
    virtual void EndImport() {}

    // With stopOnError, allStored goes false at the first record not stored
    // (the following ones are still handed over).
    bool stopOnError = false;
    bool allStored = true;
};
