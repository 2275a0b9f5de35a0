#pragma once

#include "report_data.h"

#include <QAbstractTableModel>

namespace report_viewer {

// The report's rows for a table view; the summary row comes last, in bold.
class RaportModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit RaportModel(QObject *parent = nullptr);

    void ustawTabele(const RaportTabela &tabela);
    const RaportTabela &tabela() const { return m_tabela; }
    bool czyPodsumowanie(int wiersz) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    RaportTabela m_tabela;
};

} // namespace report_viewer
