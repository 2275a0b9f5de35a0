#include "company/okresy/edycja_okres_rozlicz_form.h"

#include "company/slowniki_firmy.h"
#include "ramka/modul.h"

#include "host_funcs.h"
#include "prompter.h"
#include "services.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

using partners::tlumacz;

Tedycja_okres_rozlicz_form::Tedycja_okres_rozlicz_form(QWidget *parent)
    : Tszablon_edycja_form(parent, QStringLiteral("edycja_okres_rozlicz_form"))
{
    naglowek = naglowek_nowy = tlumacz("Resstrings_IDS_Nowy_okres_rozliczeniowy");
    zapisz_nast()->hide(); // one run of periods per opening
    auto *uklad = new QVBoxLayout(PanelWnetrza());
    auto *grupa = new QGroupBox(naglowek, PanelWnetrza());
    uklad->addWidget(grupa);
    auto *pola = new QFormLayout(grupa);

    m_data = new QDateEdit(grupa);
    m_data->setObjectName(QStringLiteral("dtpeData"));
    m_data->setCalendarPopup(true);
    m_data->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    pola->addRow(tlumacz("Resstrings_IDS_data_do"), m_data);
    m_dlugosc = new QComboBox(grupa);
    m_dlugosc->setObjectName(QStringLiteral("cbDlugosc"));
    m_etykietaDlugosci = new QLabel(tlumacz("Resstrings_IDS_EdFirmy_Dlugosc_okresu"), grupa);
    m_etykietaDlugosci->setBuddy(m_dlugosc);
    pola->addRow(m_etykietaDlugosci, m_dlugosc);

    m_podglad = new QTableWidget(0, 2, grupa);
    m_podglad->setObjectName(QStringLiteral("sgPodglad"));
    m_podglad->setHorizontalHeaderLabels(
        {tlumacz("Resstrings_IDS_poczatek_okresu"), tlumacz("Resstrings_IDS_koniec_okresu")});
    m_podglad->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_podglad->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_podglad->verticalHeader()->hide();
    pola->addRow(new QLabel(tlumacz("Resstrings_IDS_zostana_wprowadzone_nastepujac"), grupa));
    pola->addRow(m_podglad);
    resize(420, 420);

    podepnijPole(m_data);
    podepnijPole(m_dlugosc);
    connect(m_data, &QDateEdit::dateChanged, this, [this] { pokazPodglad(); });
    connect(m_dlugosc, &QComboBox::currentIndexChanged, this, [this] { pokazPodglad(); });
}

void Tedycja_okres_rozlicz_form::UstawFirme(int idFirmy, int kodDlugosci)
{
    m_idFirmy = idFirmy;
    m_dlugoscFirmy = kodDlugosci;
}

void Tedycja_okres_rozlicz_form::Wypelnij_Listy()
{
    m_dlugosc->clear();
    m_dlugosc->addItem(QString(), 0);
    for (const auto &[nazwa, kod] : partners::SlownikiFirmy::dlugosciOkresow())
        m_dlugosc->addItem(nazwa, kod);
    m_dlugosc->setCurrentIndex(qMax(0, m_dlugosc->findData(m_dlugoscFirmy)));
    pokazPodglad();
}

void Tedycja_okres_rozlicz_form::Wyczysc_Pola()
{
    m_data->setDate(QDate::currentDate());
}

int Tedycja_okres_rozlicz_form::kodDlugosci() const
{
    return m_dlugosc->currentData().toInt();
}

void Tedycja_okres_rozlicz_form::pokazPodglad()
{
    const partners::ParametryOkresow parametry = partners::parametryOkresow(kodDlugosci());
    m_okresy = partners::podgladOkresow(partners::koniecOstatniegoOkresu(m_idFirmy), m_data->date(),
                                        parametry.dzienPoczatku, parametry.miesiace);
    m_podglad->setRowCount(int(m_okresy.size()));
    for (int i = 0; i < m_okresy.size(); ++i) {
        const QDate konce[] = {m_okresy[i].od, m_okresy[i].doDnia};
        for (int k = 0; k < 2; ++k)
            m_podglad->setItem(i, k, new QTableWidgetItem(konce[k].toString(host::services().dateFormat())));
    }
}

bool Tedycja_okres_rozlicz_form::sprawdzPoprawnosc()
{
    if (kodDlugosci() > 0)
        return true;
    QString podpis = m_etykietaDlugosci->text().remove(QLatin1Char('&'));
    host::InfoBox(this, tlumacz("Resstrings_IDS_prosze_wypelnic_pole").arg(podpis), host::mb::IconWarning);
    m_dlugosc->setFocus();
    return false;
}

bool Tedycja_okres_rozlicz_form::ZapiszZmiany(int)
{
    pokazPodglad(); // another user may have added periods meanwhile
    if (partners::zapiszOkresy(m_idFirmy, m_okresy, kodDlugosci()) < 0)
        return false;
    m_zapisanaDlugosc = kodDlugosci();
    oznaczBezZmian();
    pokazPodglad();
    return true;
}
