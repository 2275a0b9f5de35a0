#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>
#include <memory>
#include <atomic>
#include <functional>

namespace db {
class Connection;
}

namespace ramka {

// A file linked to a record (a dokument_plik row); sciezka is relative to
// the document store, with the suite's backslashes.
struct PlikPowiazany
{
    int idDp = 0;
    QString sciezka;
};

// Runs on the worker thread with the worker's connection; must not touch widgets.
using HakUsuwania = std::function<bool(int id, db::Connection &polaczenie)>;

// What a multi-row delete needs from the list frame.
struct ParametryUsuwania
{
    QList<int> ids;
    QString tabela;            // @tabela of PUsunW ("firma")
    QString nazwaId;           // @nazwa_id of PUsunW ("id_f")
    bool wymuszenie = false;   // KontekstRamki != 0
    QString tabelaCanDel;      // @tabela of PCanDel; empty skips the check
    int idU = 0;
    int idJezyka = 0;
    // The worker opens its own connection to this target: a QtSql
    // connection cannot be used from another thread.
    QString polaczenie;
    HakUsuwania przedUsunieciem;   // false keeps the row
    HakUsuwania poUsunieciu;
    // A derived frame's own Usuwanie_rekordu: replaces the whole step of a
    // row (check, hooks, PUsunW, linked files); true counts the row as deleted.
    HakUsuwania usuwanieRekordu;
    // Linked files to remove with their row, by row id.
    QHash<int, QList<PlikPowiazany>> plikiDoUsuniecia;
    QString katalogDokumentow;
};

struct WynikUsuwania
{
    int wszystkie = 0;
    int przetworzone = 0;
    int usuniete = 0;
    QList<int> usunieteIds;
    QStringList odmowy;        // @odp texts of the rows PCanDel kept
    int odrzuconePrzezHak = 0;
    QStringList bledy;         // rows whose deletion failed
    QStringList plikiNieusuniete;
    bool przerwano = false;
    bool cosUsunieto = false;  // as Usuwanie_rekordu's true result: id 0 counts
    int pozostale() const { return wszystkie - przetworzone; }
};

// The deletions of a multi-row delete. Created idle; start() runs them.
// Between rows it honours suspend and stop, so a row is either deleted as a
// whole (with its linked file rows, in one transaction) or left alone.
class TUsuwanie_watek : public QThread
{
    Q_OBJECT
public:
    explicit TUsuwanie_watek(ParametryUsuwania parametry, QObject *parent = nullptr);
    ~TUsuwanie_watek() override;

    void wstrzymaj();
    void wznow();
    void zatrzymaj();
    bool wstrzymany() const;

    // Complete once the thread has finished.
    WynikUsuwania wynik() const;

signals:
    void postep(int przetworzone, int usuniete, int wszystkie);

protected:
    void run() override;

private:
    bool czekajNaWznowienie();
    void usunWiersz(db::Connection &polaczenie, int id, WynikUsuwania &wynik);
    void usunPliki(int id, WynikUsuwania &wynik);

    const ParametryUsuwania m_p;
    mutable QMutex m_mutex;
    QWaitCondition m_wznowiono;
    bool m_wstrzymany = false;
    std::atomic<bool> m_stop{false};
    WynikUsuwania m_wynik;
};

// Removes a file of the store; refuses any path that leads out of it.
bool usunPlikZMagazynu(const QString &katalogDokumentow, const QString &sciezka);

} // namespace ramka
