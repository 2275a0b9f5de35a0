#pragma once

#include "../settings/ramka_test_support.h"

#include "ramka/ramka_lista_fr.h"

#include "dataset.h"
#include "host_syscore.h"
#include "list_status.h"
#include "lista_grid.h"
#include "query.h"
#include "window_messages.h"

#include <memory>
#include <stdexcept>

inline ui::GridColumn kolumna(const char *pole, const QString &tytul, int szerokosc, bool widoczna = true)
{
    ui::GridColumn k;
    k.fieldName = QString::fromLatin1(pole);
    k.title = tytul;
    k.width = szerokosc;
    k.visible = widoczna;
    return k;
}

// A company list the way a derived frame declares one: command, fields,
// grid columns, table and an editor hook that remembers its calls.
class TestowaListaFirm : public Tramka_lista_frame
{
public:
    explicit TestowaListaFirm(QWidget *parent = nullptr, const QString &name = QStringLiteral("lista_testowa"))
        : Tramka_lista_frame(parent, name)
    {
        UstawKwerende(QStringLiteral("select * from VlistaFirm"));
        UstawKolumny({kolumna("id", QStringLiteral("Id"), 50), kolumna("nazwa", QStringLiteral("Nazwa"), 200),
                      kolumna("skrot", QStringLiteral("Skrót"), 80, false)});
        UstawTabele(QStringLiteral("firma"), QStringLiteral("id_f"));
    }

    struct Wywolanie
    {
        int id = 0;
        bool kopia = false;
    };
    QList<Wywolanie> edycje;
    int nowe = 0;

    bool rzucWEdycji = false;
    void ustawTabeleSlownie(const QString &tabela) { TabelaSlownie = tabela; }
    void ustawLimitCzasuUsuwania(int ms) { LimitCzasuUsuwania = ms; }

protected:
    void EdytujRekord(int id, bool kopia) override
    {
        if (rzucWEdycji)
            throw std::runtime_error("edytor");
        edycje.append({id, kopia});
    }
    void NowyRekord() override { ++nowe; }
};

// A list with a date column and a server that gives up on ranges over a month.
class ListaZDatami : public Tramka_lista_frame
{
public:
    explicit ListaZDatami(QWidget *parent = nullptr)
        : Tramka_lista_frame(parent, QStringLiteral("lista_dat"))
    {
        UstawKwerende(QStringLiteral("select f.id_f as id, f.nazwa, f.nocne_od from firma f\n"
                                     "where f.nocne_od >= :okres_od and f.nocne_od <= :okres_do"));
        UstawPola({{QStringLiteral("id"), QMetaType::Int},
                   {QStringLiteral("nazwa"), QMetaType::QString},
                   {QStringLiteral("nocne_od"), QMetaType::QDateTime}});
        UstawKolumny({kolumna("id", QStringLiteral("Id"), 50), kolumna("nazwa", QStringLiteral("Nazwa"), 200),
                      kolumna("nocne_od", QStringLiteral("Od"), 120)});
    }

    bool limitCzasu = false;
    QStringList otwarcia; // command texts sent

protected:
    int OtworzZapytanie(db::DataSet &lista) override
    {
        otwarcia << lista.commandText();
        const auto &r = zakres().range();
        if (limitCzasu && r.end - r.start > 31)
            return host::OpenQueryTimedOut;
        return Tramka_lista_frame::OtworzZapytanie(lista);
    }
};

inline bool istniejeFirma(int id)
{
    return host::CzyIstniejeRekordDB(QStringLiteral("select id_f from firma where id_f = :id"), nullptr,
                                     {{QStringLiteral("id"), id}});
}

class RamkaListaTest : public RamkaHostTest
{
protected:
    int firma(const QString &nazwa, const QVariant &centrala = QVariant(), const QVariant &nocneOd = QVariant())
    {
        db::Query q(&db(),
                    QStringLiteral("insert into firma (nazwa, skrot, id_centrali, nocne_od) values (:n, :s, :c, :d)"));
        q.parameters().setValue(QStringLiteral("n"), nazwa);
        q.parameters().setValue(QStringLiteral("s"), nazwa.left(10));
        q.parameters().add(QStringLiteral("c"), QMetaType::Int).value = centrala;
        q.parameters().add(QStringLiteral("d"), QMetaType::QDateTime).value = nocneOd;
        q.exec();
        return host::GetIntDB(QStringLiteral("select max(id_f) from firma"));
    }

    std::unique_ptr<TestowaListaFirm> lista(const QString &formularz = QString(),
                                            const QString &nazwa = QStringLiteral("lista_testowa"))
    {
        auto ramka = std::make_unique<TestowaListaFirm>(nullptr, nazwa);
        ramka->InicjujRamke(QStringLiteral("partners.dll"), false, formularz, nazwa);
        return ramka;
    }

    // The ids of the visible rows in grid order.
    static QList<int> ids(Tramka_lista_frame &ramka)
    {
        QList<int> wynik;
        db::DataSet &ds = *ramka.Lista();
        const int pole = ds.fieldIndex(QStringLiteral("id"));
        for (int i = 0; i < ds.recordCount(); ++i)
            wynik << ds.valueAt(ds.bookmarkAt(i), pole).toInt();
        return wynik;
    }
};
