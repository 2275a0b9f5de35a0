#pragma once

#include "report_data.h"

#include <QDialog>

class QTableView;

namespace report_viewer {

class RaportModel;

// The viewer window: the report as a table, with print preview, PDF export
// and close. Its dialogs run through the host's prompter.
class Treport_viewer_form : public QDialog
{
    Q_OBJECT
public:
    Treport_viewer_form(const RaportTabela &tabela, const ParametryRaportu &parametry, QWidget *parent = nullptr);

    RaportModel *model() const { return m_model; }
    void podgladClick();
    void pdfClick();

private:
    ParametryRaportu m_parametry;
    RaportModel *m_model;
    QTableView *m_tabela;
};

} // namespace report_viewer
