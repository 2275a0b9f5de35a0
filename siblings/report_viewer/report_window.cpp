#include "report_window.h"

#include "report_model.h"
#include "report_render.h"

#include "host_funcs.h"
#include "prompter.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace report_viewer {

Treport_viewer_form::Treport_viewer_form(const RaportTabela &tabela, const ParametryRaportu &parametry, QWidget *parent)
    : QDialog(parent),
      m_parametry(parametry),
      m_model(new RaportModel(this)),
      m_tabela(new QTableView(this))
{
    setObjectName(QStringLiteral("report_viewer_form"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(900, 600);
    m_model->ustawTabele(tabela);
    m_tabela->setObjectName(QStringLiteral("tabela"));
    m_tabela->setModel(m_model);
    m_tabela->setAlternatingRowColors(true);
    m_tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int c = 0; c < tabela.liczbaKolumn(); ++c)
        if (tabela.szerokosci.value(c) > 0)
            m_tabela->setColumnWidth(c, tabela.szerokosci.value(c));

    auto *podglad = new QPushButton(host::LoadResstrings(QStringLiteral("Resstrings_IDS_PodgladWydruku")), this);
    podglad->setObjectName(QStringLiteral("podglad"));
    auto *pdf = new QPushButton(QStringLiteral("PDF"), this);
    pdf->setObjectName(QStringLiteral("pdf"));
    auto *zamknij = new QPushButton(host::LoadResstrings(QStringLiteral("Resstrings_IDS_Zamknij")), this);
    zamknij->setObjectName(QStringLiteral("zamknij"));
    connect(podglad, &QPushButton::clicked, this, &Treport_viewer_form::podgladClick);
    connect(pdf, &QPushButton::clicked, this, &Treport_viewer_form::pdfClick);
    connect(zamknij, &QPushButton::clicked, this, &QDialog::accept);

    auto *przyciski = new QHBoxLayout;
    przyciski->addWidget(podglad);
    przyciski->addWidget(pdf);
    przyciski->addStretch();
    przyciski->addWidget(zamknij);
    auto *uklad = new QVBoxLayout(this);
    uklad->addWidget(m_tabela);
    uklad->addLayout(przyciski);
}

void Treport_viewer_form::podgladClick()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog podglad(&printer, this);
    podglad.setWindowTitle(windowTitle());
    const RaportTabela tabela = m_model->tabela();
    connect(&podglad, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter *p) { drukujRaport(tabela, m_parametry, *p); });
    host::prompter().runModal(&podglad);
}

void Treport_viewer_form::pdfClick()
{
    QString nazwa = m_parametry.value(QStringLiteral("@nazwa_pliku"));
    if (nazwa.isEmpty())
        nazwa = QStringLiteral("raport");
    // The translation is a filter of the suite's form: "text|mask".
    QString filtr = host::LoadResstrings(QStringLiteral("Resstrings_IDS_plik_pdf")).section(QLatin1Char('|'), 0, 0);
    if (!filtr.contains(QLatin1String("*.pdf")))
        filtr = QStringLiteral("PDF (*.pdf)");
    QString sciezka = host::prompter().chooseSaveFile(this, windowTitle(),
                                                      QDir::home().filePath(nazwa + QStringLiteral(".pdf")), filtr);
    if (sciezka.isEmpty())
        return;
    if (!sciezka.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        sciezka += QStringLiteral(".pdf");
    if (zapiszPdf(m_model->tabela(), m_parametry, sciezka) < 0)
        host::InfoBox(this, QStringLiteral("Resstrings_IDS_nie_mozna_nadpisac"), host::mb::IconError);
}

} // namespace report_viewer
