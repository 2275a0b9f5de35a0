#pragma once

#include <QDialog>

class Tramka_powiaz_pliki_frame;

// The linked-files window that record editors and lists open: one frame,
// always on top.
class Tpowiaz_pliki_form : public QDialog
{
    Q_OBJECT
public:
    explicit Tpowiaz_pliki_form(QWidget *parent = nullptr);

    Tramka_powiaz_pliki_frame *ramka() const { return m_ramka; }
    void Init(const QString &tabela_slownie, int recordId, int upr);
    void InitOwnerDocuments(int vehicleId, int companyId, int driverId, int upr);

    // Shows the files of one record modally through the host's prompter.
    static void pokaz(QWidget *parent, const QString &tabela_slownie, int recordId, int upr);

private:
    Tramka_powiaz_pliki_frame *m_ramka = nullptr;
};
