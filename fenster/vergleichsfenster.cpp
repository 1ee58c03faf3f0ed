// The compare window: a tree of the compared sets with their differing fields beneath them.
#include "fenster/vergleichsfenster.h"

#include "fenster/hauptfenster.h"
#include "platform/ui.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString Utf8(const char* text) {
    return QString::fromUtf8(text ? text : "");
}
QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

const QColor kRot(0xB0, 0x10, 0x10);
const QColor kGruen(0x10, 0x70, 0x10);
const QColor kGrau(0x60, 0x60, 0x60);
constexpr int SPALTE_ERGEBNIS = 1;

struct Fenster {
    QPointer<QWidget> fenster;
    QLabel* zusammenfassung = nullptr;
    QLabel* hinweis = nullptr;
    QLabel* leer = nullptr;
    QTreeWidget* baum = nullptr;
    QCheckBox* nurAbweichungen = nullptr;
    QCheckBox* arbeitsparameter = nullptr;
    QPushButton* knopf[4] = {};
    VergleichsAktionen aktionen{};
    std::vector<bool> gleich; // per top-level row: an equal set, hidden while only differences show
};

Fenster& F() {
    static Fenster f;
    return f;
}

void ZeileFuellen(QTreeWidgetItem* item, const VergleichsZeile& z) {
    for (int i = 0; i < VERGLEICH_SPALTEN; ++i)
        item->setText(i, Utf8(z.spalten[i]));
    QColor farbe;
    switch (z.art) {
    case Vergleichszeile::Gleich:
        farbe = kGruen;
        break;
    case Vergleichszeile::Abweichend:
    case Vergleichszeile::NichtGelesen:
        farbe = kRot;
        break;
    case Vergleichszeile::Feld:
        break;
    case Vergleichszeile::FeldNichtUnterstuetzt:
        farbe = kGrau;
        break;
    }
    if (farbe.isValid()) item->setForeground(SPALTE_ERGEBNIS, farbe);
    if (z.art == Vergleichszeile::FeldNichtUnterstuetzt)
        for (int i = 0; i < VERGLEICH_SPALTEN; ++i)
            item->setForeground(i, kGrau);
    if (z.benoetigt) {
        QFont fett = item->font(0);
        fett.setBold(true);
        for (int i = 0; i < VERGLEICH_SPALTEN; ++i)
            item->setFont(i, fett);
    }
}

void Filtern() {
    Fenster& f = F();
    const bool nur = f.nurAbweichungen->isChecked();
    bool gezeigt = false;
    for (int i = 0; i < f.baum->topLevelItemCount(); ++i) {
        const bool verborgen = nur && f.gleich[static_cast<size_t>(i)];
        f.baum->topLevelItem(i)->setHidden(verborgen);
        gezeigt = gezeigt || !verborgen;
    }
    // An empty list says why it is empty.
    f.leer->setVisible(!gezeigt);
    f.baum->setVisible(gezeigt);
}

void WahlMelden() {
    Fenster& f = F();
    if (f.aktionen.wahl) f.aktionen.wahl(f.nurAbweichungen->isChecked(), f.arbeitsparameter->isChecked());
}

// Each button calls its action; null actions leave the button without effect.
void Verbinden(QPushButton* knopf, void (*VergleichsAktionen::*aktion)()) {
    QObject::connect(knopf, &QPushButton::clicked, knopf, [aktion] {
        if (auto f = F().aktionen.*aktion) f();
    });
}

void Bauen() {
    Fenster& f = F();
    auto* w = new QWidget(Hauptfenster(), Qt::Window);
    w->setObjectName("Vergleichsfenster");
    w->resize(1240, 600);
    f.zusammenfassung = new QLabel(w);
    f.zusammenfassung->setWordWrap(true);
    f.zusammenfassung->setTextFormat(Qt::PlainText);
    f.hinweis = new QLabel(w);
    f.hinweis->setWordWrap(true);
    f.hinweis->setTextFormat(Qt::PlainText);
    f.leer = new QLabel(w);
    f.leer->setAlignment(Qt::AlignCenter);
    f.leer->setFrameShape(QFrame::StyledPanel);
    f.leer->setWordWrap(true);
    f.baum = new QTreeWidget(w);
    f.baum->setColumnCount(VERGLEICH_SPALTEN);
    f.baum->setAlternatingRowColors(true);
    f.baum->setUniformRowHeights(true);
    f.baum->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    f.baum->header()->setStretchLastSection(true);
    // Labels of grouped fields and ring items ("10 - Dreieck geregelt, Freq. man. einstellbar") are long.
    const int breiten[] = {400, 180, 250, 250};
    for (int i = 0; i < 4; ++i)
        f.baum->setColumnWidth(i, breiten[i]);
    f.nurAbweichungen = new QCheckBox(w);
    f.arbeitsparameter = new QCheckBox(w);
    for (QPushButton*& k : f.knopf)
        k = new QPushButton(w);

    auto* wahl = new QHBoxLayout;
    wahl->addWidget(f.nurAbweichungen);
    wahl->addWidget(f.arbeitsparameter);
    wahl->addStretch(1);
    auto* knoepfe = new QHBoxLayout;
    for (int i = 0; i < 3; ++i)
        knoepfe->addWidget(f.knopf[i]);
    knoepfe->addStretch(1);
    knoepfe->addWidget(f.knopf[3]);
    auto* lage = new QVBoxLayout(w);
    lage->addWidget(f.zusammenfassung);
    lage->addWidget(f.hinweis);
    lage->addWidget(f.baum, 1);
    lage->addWidget(f.leer, 1);
    lage->addLayout(wahl);
    lage->addLayout(knoepfe);

    Verbinden(f.knopf[0], &VergleichsAktionen::schreiben);
    Verbinden(f.knopf[1], &VergleichsAktionen::uebernehmen);
    Verbinden(f.knopf[2], &VergleichsAktionen::erneut);
    QObject::connect(f.knopf[3], &QPushButton::clicked, w, [w] { w->hide(); });
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Escape), w), &QShortcut::activated, w,
                     [w] { w->hide(); });
    QObject::connect(f.nurAbweichungen, &QCheckBox::toggled, w, [](bool) {
        Filtern();
        WahlMelden();
    });
    QObject::connect(f.arbeitsparameter, &QCheckBox::toggled, w, [](bool) { WahlMelden(); });
    f.fenster = w;
}

// The index-th top-level row that is shown.
QTreeWidgetItem* Gezeigt(int index) {
    Fenster& f = F();
    if (!f.fenster) return nullptr;
    for (int i = 0; i < f.baum->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = f.baum->topLevelItem(i);
        if (!item->isHidden() && index-- == 0) return item;
    }
    return nullptr;
}

QTreeWidgetItem* Zeile(int satz, int feld) {
    QTreeWidgetItem* item = Gezeigt(satz);
    if (!item || feld < 0) return item;
    return feld < item->childCount() ? item->child(feld) : nullptr;
}

} // namespace

int VergleichsfensterZeigen(const VergleichsInhalt& inhalt, const VergleichsTexte& texte,
                            const VergleichsAktionen& aktionen) {
    if (!qApp) return UIE_NOT_INITIALIZED;
    Fenster& f = F();
    if (!f.fenster) Bauen();
    f.aktionen = VergleichsAktionen{}; // no action while the check boxes are set below
    f.fenster->setWindowTitle(Utf8(texte.titel));
    QStringList kopf;
    for (const char* s : texte.spalten)
        kopf << Utf8(s);
    f.baum->setHeaderLabels(kopf);
    f.baum->setAccessibleName(Utf8(texte.liste));
    f.leer->setText(Utf8(texte.leer));
    f.nurAbweichungen->setText(Utf8(texte.nurAbweichungen));
    f.arbeitsparameter->setText(Utf8(texte.arbeitsparameter));
    const char* knopfTexte[] = {texte.schreiben, texte.uebernehmen, texte.erneut, texte.schliessen};
    for (int i = 0; i < 4; ++i)
        f.knopf[i]->setText(Utf8(knopfTexte[i]).replace('&', "&&"));

    f.zusammenfassung->setText(Utf8(inhalt.zusammenfassung));
    f.hinweis->setText(Utf8(inhalt.hinweis));
    f.hinweis->setVisible(!inhalt.hinweis.empty());
    f.baum->setAccessibleDescription(Utf8(inhalt.zusammenfassung));
    f.baum->clear();
    f.gleich.clear();
    for (const VergleichsSatz& s : inhalt.saetze) {
        auto* item = new QTreeWidgetItem(f.baum);
        ZeileFuellen(item, s.kopf);
        for (const VergleichsZeile& z : s.felder)
            ZeileFuellen(new QTreeWidgetItem(item), z);
        item->setExpanded(true);
        f.gleich.push_back(s.kopf.art == Vergleichszeile::Gleich);
    }
    f.nurAbweichungen->setChecked(inhalt.nurAbweichungen);
    f.arbeitsparameter->setChecked(inhalt.arbeitsparameter);
    Filtern();
    f.knopf[0]->setEnabled(inhalt.schreibenMoeglich);
    f.knopf[1]->setEnabled(inhalt.uebernehmenMoeglich);
    f.aktionen = aktionen;

    f.fenster->show();
    f.fenster->raise();
    f.fenster->activateWindow();
    if (f.baum->isVisible())
        f.baum->setFocus(Qt::OtherFocusReason);
    else
        f.knopf[3]->setFocus(Qt::OtherFocusReason);
    if (f.baum->topLevelItemCount() > 0) f.baum->setCurrentItem(Gezeigt(0));
    return 0;
}

bool VergleichsfensterSichtbar() {
    return F().fenster && F().fenster->isVisible();
}

void VergleichsfensterSchliessen() {
    if (F().fenster) F().fenster->hide();
}

void VergleichsfensterVerwerfen() {
    delete F().fenster.data();
    F() = Fenster{};
}

int VergleichsfensterSaetze() {
    int n = 0;
    while (Gezeigt(n))
        ++n;
    return n;
}

int VergleichsfensterFelder(int satz) {
    QTreeWidgetItem* item = Gezeigt(satz);
    return item ? item->childCount() : 0;
}

std::string VergleichsfensterZelle(int satz, int feld, int spalte) {
    QTreeWidgetItem* item = Zeile(satz, feld);
    return item ? item->text(spalte).toStdString() : std::string();
}

bool VergleichsfensterFett(int satz, int feld) {
    QTreeWidgetItem* item = Zeile(satz, feld);
    return item && item->font(0).bold();
}

std::string VergleichsfensterZusammenfassung() {
    return F().fenster ? F().zusammenfassung->text().toStdString() : std::string();
}

bool VergleichsfensterKnopfAktiv(Vergleichsknopf knopf) {
    return F().fenster && F().knopf[static_cast<int>(knopf)]->isEnabled();
}

void VergleichsfensterDruecken(Vergleichsknopf knopf) {
    if (F().fenster) F().knopf[static_cast<int>(knopf)]->click();
}

void VergleichsfensterWaehlen(Vergleichswahl wahl, bool ein) {
    if (!F().fenster) return;
    (wahl == Vergleichswahl::NurAbweichungen ? F().nurAbweichungen : F().arbeitsparameter)->setChecked(ein);
}
