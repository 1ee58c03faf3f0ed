// The line monitor window: a table model over the program's record of exchanges. The model
// holds only sequence numbers; texts are asked of the source for the rows being painted, so
// 20,000 rows cost little.
#include "fenster/monitorfenster.h"

#include "fenster/hauptfenster.h"
#include "platform/ui.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <deque>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text ? text : "");
}

constexpr int ZEITTAKT_MS = 250; // refresh while the event loop runs

class MonitorModell : public QAbstractTableModel {
  public:
    MonitorQuelle quelle{};
    QString kopf[MONITOR_SPALTEN];
    bool hex = false;
    bool nurFehler = false;

    int rowCount(const QModelIndex& p = {}) const override {
        return p.isValid() ? 0 : static_cast<int>(nummern_.size());
    }
    int columnCount(const QModelIndex& p = {}) const override { return p.isValid() ? 0 : MONITOR_SPALTEN; }

    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (o == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < MONITOR_SPALTEN)
            return kopf[section];
        return {};
    }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const uint64_t nummer = nummern_[static_cast<size_t>(index.row())];
        if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return Text(nummer, index.column());
        // Only what came back and the outcome turn red: a refusal the program passes over is
        // still worth seeing, but a whole red row would shout.
        if (role == Qt::ForegroundRole && index.column() >= 3 && index.column() != 4 &&
            quelle.fehlgeschlagen(nummer))
            return QColor(0xB0, 0x10, 0x10);
        if (role == Qt::FontRole && (index.column() == 2 || index.column() == 3))
            return QFontDatabase::systemFont(QFontDatabase::FixedFont);
        return {};
    }

    // Takes the records added since the last call and lets go of those the source dropped.
    void Nachziehen() {
        const uint64_t erste = quelle.erste();
        const uint64_t letzte = quelle.letzte();
        if (letzte < bis_) return Neu();
        size_t alt = 0;
        while (alt < nummern_.size() && nummern_[alt] < erste)
            ++alt;
        if (alt > 0) {
            beginRemoveRows({}, 0, static_cast<int>(alt) - 1);
            nummern_.erase(nummern_.begin(), nummern_.begin() + static_cast<long>(alt));
            endRemoveRows();
        }
        std::vector<uint64_t> neu;
        for (uint64_t n = std::max(bis_ + 1, erste); n <= letzte; ++n)
            if (!nurFehler || quelle.fehlgeschlagen(n)) neu.push_back(n);
        bis_ = letzte;
        if (neu.empty()) return;
        const int ab = rowCount();
        beginInsertRows({}, ab, ab + static_cast<int>(neu.size()) - 1);
        nummern_.insert(nummern_.end(), neu.begin(), neu.end());
        endInsertRows();
    }

    void Neu() {
        beginResetModel();
        nummern_.clear();
        bis_ = 0;
        cacheNummer_ = 0;
        endResetModel();
        Nachziehen();
    }

    void TexteNeu() {
        cacheNummer_ = 0;
        if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, MONITOR_SPALTEN - 1));
    }

  private:
    QString Text(uint64_t nummer, int spalte) const {
        if (nummer != cacheNummer_ || hex != cacheHex_) {
            for (std::string& s : cache_)
                s.clear();
            quelle.zeile(nummer, hex, cache_);
            cacheNummer_ = nummer;
            cacheHex_ = hex;
        }
        return QString::fromStdString(cache_[spalte]);
    }

    std::deque<uint64_t> nummern_;
    uint64_t bis_ = 0; // newest record looked at
    // The view asks for a row cell by cell; one row of texts is kept.
    mutable uint64_t cacheNummer_ = 0;
    mutable bool cacheHex_ = false;
    mutable std::string cache_[MONITOR_SPALTEN];
};

struct Monitor {
    QPointer<QWidget> fenster;
    MonitorModell* modell = nullptr;
    QTableView* tabelle = nullptr;
    QLabel* anzahl = nullptr;
    QCheckBox* hex = nullptr;
    QCheckBox* pause = nullptr;
    QCheckBox* nurFehler = nullptr;
    QPushButton* leeren = nullptr;
    QPushButton* speichern = nullptr;
    QString anzahlText;
};

Monitor& M() {
    static Monitor m;
    return m;
}

void AnzahlZeigen() {
    Monitor& m = M();
    m.anzahl->setText(m.anzahlText.arg(m.modell->rowCount()));
}

void Bauen() {
    Monitor& m = M();
    auto* w = new QWidget(Hauptfenster(), Qt::Window);
    w->setObjectName("Monitorfenster");
    w->resize(1240, 480);
    m.modell = new MonitorModell;
    m.modell->setParent(w);
    m.tabelle = new QTableView(w);
    m.tabelle->setModel(m.modell);
    m.tabelle->setSelectionBehavior(QAbstractItemView::SelectRows);
    m.tabelle->setAlternatingRowColors(true);
    m.tabelle->setWordWrap(false);
    m.tabelle->verticalHeader()->hide();
    m.tabelle->verticalHeader()->setDefaultSectionSize(m.tabelle->fontMetrics().height() + 6);
    m.tabelle->horizontalHeader()->setStretchLastSection(true);
    m.tabelle->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    const int breiten[] = {96, 40, 140, 200, 220};
    for (int i = 0; i < 5; ++i)
        m.tabelle->setColumnWidth(i, breiten[i]);

    m.hex = new QCheckBox(w);
    m.pause = new QCheckBox(w);
    m.nurFehler = new QCheckBox(w);
    auto* leeren = m.leeren = new QPushButton(w);
    auto* speichern = m.speichern = new QPushButton(w);
    m.anzahl = new QLabel(w);
    auto* leiste = new QHBoxLayout;
    for (QWidget* x :
         {static_cast<QWidget*>(m.hex), static_cast<QWidget*>(m.pause), static_cast<QWidget*>(m.nurFehler),
          static_cast<QWidget*>(leeren), static_cast<QWidget*>(speichern)})
        leiste->addWidget(x);
    leiste->addStretch(1);
    leiste->addWidget(m.anzahl);
    auto* lage = new QVBoxLayout(w);
    lage->addLayout(leiste);
    lage->addWidget(m.tabelle, 1);

    QObject::connect(m.hex, &QCheckBox::toggled, w, [](bool ein) {
        M().modell->hex = ein;
        M().modell->TexteNeu();
    });
    QObject::connect(m.pause, &QCheckBox::toggled, w, [](bool) { MonitorFensterAktualisieren(); });
    QObject::connect(m.nurFehler, &QCheckBox::toggled, w, [](bool ein) {
        M().modell->nurFehler = ein;
        M().modell->Neu();
        AnzahlZeigen();
    });
    QObject::connect(leeren, &QPushButton::clicked, w, [] {
        M().modell->quelle.leeren();
        M().modell->Neu();
        AnzahlZeigen();
    });
    QObject::connect(speichern, &QPushButton::clicked, w,
                     [] { M().modell->quelle.speichern(M().nurFehler->isChecked()); });
    auto* takt = new QTimer(w);
    QObject::connect(takt, &QTimer::timeout, w, [] { MonitorFensterAktualisieren(); });
    takt->start(ZEITTAKT_MS);
    m.fenster = w;
}

} // namespace

int MonitorFensterZeigen(const MonitorQuelle& quelle, const MonitorTexte& texte) {
    if (!qApp) return UIE_NOT_INITIALIZED;
    Monitor& m = M();
    if (!m.fenster) Bauen();
    m.fenster->setWindowTitle(Utf8(texte.titel));
    m.hex->setText(Utf8(texte.hex));
    m.pause->setText(Utf8(texte.pause));
    m.nurFehler->setText(Utf8(texte.nurFehler));
    m.leeren->setText(Utf8(texte.leeren));
    m.speichern->setText(Utf8(texte.speichern));
    for (int i = 0; i < MONITOR_SPALTEN; ++i)
        m.modell->kopf[i] = Utf8(texte.spalten[i]);
    m.anzahlText = Utf8(texte.anzahl).replace("%d", "%1");
    m.modell->quelle = quelle;
    m.modell->Neu();
    AnzahlZeigen();
    m.tabelle->scrollToBottom();
    m.fenster->show();
    m.fenster->raise();
    return 0;
}

void MonitorFensterAktualisieren() {
    Monitor& m = M();
    if (!m.fenster || !m.fenster->isVisible() || m.pause->isChecked()) return;
    QScrollBar* rollen = m.tabelle->verticalScrollBar();
    const bool unten = rollen->value() >= rollen->maximum();
    m.modell->Nachziehen();
    AnzahlZeigen();
    // Follow new rows only while the user looks at the newest ones.
    if (unten) m.tabelle->scrollToBottom();
}

int MonitorFensterZeilen() {
    return M().fenster ? M().modell->rowCount() : 0;
}

std::string MonitorFensterZelle(int zeile, int spalte) {
    if (!M().fenster) return {};
    return M().modell->data(M().modell->index(zeile, spalte), Qt::DisplayRole).toString().toStdString();
}

void MonitorFensterSchalten(MonitorSchalter schalter, bool ein) {
    Monitor& m = M();
    if (!m.fenster) return;
    QCheckBox* box = schalter == MonitorSchalter::Hex     ? m.hex
                     : schalter == MonitorSchalter::Pause ? m.pause
                                                          : m.nurFehler;
    box->setChecked(ein);
}

void MonitorFensterSchliessen() {
    if (M().fenster) M().fenster->hide();
}
