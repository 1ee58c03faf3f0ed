#include "fenster/trend.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsLineItem>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QWidget>

#include <algorithm>
#include <deque>
#include <memory>

namespace {

constexpr double LAENGSTE_SPANNE_MS = 600.0 * 1000.0;

struct Marke {
    double zeitMs;
    QString text;
    QGraphicsLineItem* linie;
    QGraphicsSimpleTextItem* beschriftung;
};

struct Fenster {
    QWidget* widget = nullptr;
    QChart* chart = nullptr;
    QLineSeries* strom = nullptr;
    QLineSeries* spannung = nullptr;
    QScatterSeries* markenPunkte = nullptr;
    QDateTimeAxis* zeitAchse = nullptr;
    QValueAxis* stromAchse = nullptr;
    QValueAxis* spannungAchse = nullptr;
    QComboBox* spanne = nullptr;
    QPushButton* pause = nullptr;
    QPushButton* aufzeichnen = nullptr;
    QLabel* status = nullptr;
    std::deque<Marke> marken;
    TrendTexte texte{};
    void (*aufzeichnenGeklickt)() = nullptr;
    bool pausiert = false;
    bool zeichnet = false;
    double letzteMs = 0;
};

Fenster gF;

QString Text(const char* t) {
    return QString::fromUtf8(t ? t : "");
}

int SpanneSekunden() {
    return gF.spanne ? gF.spanne->currentData().toInt() : TREND_SPANNEN[0];
}

// Range of a value axis over the points within [vonMs, bisMs]: from zero (or the lowest value
// when below) to a little above the highest, so the curves never touch the frame.
void AchseAnpassen(QValueAxis* achse, const QLineSeries* reihe, double vonMs, double bisMs,
                   double mindestens) {
    double lo = 0, hi = mindestens;
    for (const QPointF& p : reihe->points()) {
        if (p.x() < vonMs || p.x() > bisMs) continue;
        lo = std::min(lo, p.y());
        hi = std::max(hi, p.y());
    }
    achse->setRange(lo < 0 ? lo * 1.1 : 0.0, hi * 1.1);
    achse->applyNiceNumbers();
}

// Lines and texts of the markers follow the plot area; markers outside the view are hidden.
// Texts step down in three rows so that close markers stay readable.
void MarkenZeichnen() {
    const QRectF flaeche = gF.chart->plotArea();
    const double von = gF.zeitAchse->min().toMSecsSinceEpoch();
    const double bis = gF.zeitAchse->max().toMSecsSinceEpoch();
    int reihe = 0;
    for (Marke& m : gF.marken) {
        const bool sichtbar = m.zeitMs >= von && m.zeitMs <= bis;
        m.linie->setVisible(sichtbar);
        m.beschriftung->setVisible(sichtbar);
        if (!sichtbar) continue;
        const double x = gF.chart->mapToPosition(QPointF(m.zeitMs, 0), gF.strom).x();
        m.linie->setLine(x, flaeche.top(), x, flaeche.bottom());
        // The text starts right of its line, or ends left of it where the plot area ends.
        const QRectF r = m.beschriftung->boundingRect();
        const double links = x + 3 + r.width() <= flaeche.right() ? x + 3 : x - 3 - r.width();
        m.beschriftung->setPos(std::max(links, flaeche.left()),
                               flaeche.top() + 2 + (reihe % 3) * (r.height() + 1));
        ++reihe;
    }
}

void SichtAnpassen() {
    if (!gF.chart || gF.pausiert) return;
    const double bis =
        gF.letzteMs > 0 ? gF.letzteMs : static_cast<double>(QDateTime::currentMSecsSinceEpoch());
    const double von = bis - SpanneSekunden() * 1000.0;
    gF.zeitAchse->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(von)),
                           QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(bis)));
    AchseAnpassen(gF.stromAchse, gF.strom, von, bis, 0.1);
    AchseAnpassen(gF.spannungAchse, gF.spannung, von, bis, 1.0);
    MarkenZeichnen();
}

void TexteAnwenden() {
    const TrendTexte& t = gF.texte;
    gF.widget->setWindowTitle(Text(t.titel));
    gF.zeitAchse->setTitleText(Text(t.zeit));
    gF.strom->setName(Text(t.strom));
    gF.stromAchse->setTitleText(Text(t.strom));
    gF.spannung->setName(Text(t.spannung));
    gF.spannungAchse->setTitleText(Text(t.spannung));
    gF.markenPunkte->setName(Text(t.statuswechsel));
    gF.pause->setText(Text(gF.pausiert ? t.weiter : t.pause));
    if (auto* l = gF.widget->findChild<QLabel*>("zeitfensterLabel")) l->setText(Text(t.zeitfenster));
    gF.aufzeichnen->setText(Text(gF.zeichnet ? t.beenden : t.aufzeichnen));
}

QChart* ChartBauen() {
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(4, 4, 4, 4));
    gF.strom = new QLineSeries;
    gF.spannung = new QLineSeries;
    gF.markenPunkte = new QScatterSeries;
    gF.strom->setPen(QPen(QColor(0x1f, 0x5f, 0xbf), 2));
    gF.spannung->setPen(QPen(QColor(0xd0, 0x70, 0x10), 2));
    gF.markenPunkte->setColor(QColor(0xb0, 0x20, 0x20));
    gF.markenPunkte->setMarkerSize(8);
    chart->addSeries(gF.strom);
    chart->addSeries(gF.spannung);
    chart->addSeries(gF.markenPunkte);
    gF.zeitAchse = new QDateTimeAxis;
    gF.zeitAchse->setTickCount(7);
    gF.zeitAchse->setFormat("HH:mm:ss");
    gF.stromAchse = new QValueAxis;
    gF.spannungAchse = new QValueAxis;
    gF.stromAchse->setLabelFormat("%.2f");
    gF.spannungAchse->setLabelFormat("%.1f");
    gF.stromAchse->setLinePenColor(gF.strom->pen().color());
    gF.spannungAchse->setLinePenColor(gF.spannung->pen().color());
    chart->addAxis(gF.zeitAchse, Qt::AlignBottom);
    chart->addAxis(gF.stromAchse, Qt::AlignLeft);
    chart->addAxis(gF.spannungAchse, Qt::AlignRight);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(gF.strom), static_cast<QAbstractSeries*>(gF.markenPunkte)}) {
        s->attachAxis(gF.zeitAchse);
        s->attachAxis(gF.stromAchse);
    }
    gF.spannung->attachAxis(gF.zeitAchse);
    gF.spannung->attachAxis(gF.spannungAchse);
    QObject::connect(chart, &QChart::plotAreaChanged, [] { MarkenZeichnen(); });
    return chart;
}

void FensterBauen() {
    gF.widget = new QWidget(nullptr, Qt::Window);
    gF.widget->resize(820, 480);
    gF.chart = ChartBauen();
    auto* ansicht = new QChartView(gF.chart);
    ansicht->setRenderHint(QPainter::Antialiasing);

    auto* zeitfenster = new QLabel;
    zeitfenster->setObjectName("zeitfensterLabel");
    gF.spanne = new QComboBox;
    for (int s : TREND_SPANNEN)
        gF.spanne->addItem(s < 60 ? QStringLiteral("%1 s").arg(s) : QStringLiteral("%1 min").arg(s / 60), s);
    zeitfenster->setBuddy(gF.spanne);
    gF.pause = new QPushButton;
    gF.aufzeichnen = new QPushButton;
    gF.status = new QLabel;
    gF.status->setWordWrap(true);
    QObject::connect(gF.spanne, &QComboBox::currentIndexChanged, [] { SichtAnpassen(); });
    QObject::connect(gF.pause, &QPushButton::clicked, [] { TrendPauseSetzen(!gF.pausiert); });
    QObject::connect(gF.aufzeichnen, &QPushButton::clicked, [] {
        if (gF.aufzeichnenGeklickt) gF.aufzeichnenGeklickt();
    });

    auto* leiste = new QHBoxLayout;
    leiste->addWidget(zeitfenster);
    leiste->addWidget(gF.spanne);
    leiste->addWidget(gF.pause);
    leiste->addStretch(1);
    leiste->addWidget(gF.aufzeichnen);
    auto* spalte = new QVBoxLayout(gF.widget);
    spalte->addLayout(leiste);
    spalte->addWidget(ansicht, 1);
    spalte->addWidget(gF.status);
}

} // namespace

void TrendFensterZeigen(const TrendTexte& texte, void (*aufzeichnenGeklickt)()) {
    if (!gF.widget) FensterBauen();
    gF.texte = texte;
    gF.aufzeichnenGeklickt = aufzeichnenGeklickt;
    TexteAnwenden();
    SichtAnpassen();
    gF.widget->show();
    gF.widget->raise();
    gF.widget->activateWindow();
}

bool TrendFensterVorhanden() {
    return gF.widget != nullptr;
}

void TrendFensterVerwerfen() {
    delete gF.widget; // the chart and its series go with it
    gF = Fenster();
}

void TrendPunkt(double zeitMs, double strom, double spannung) {
    if (!gF.widget) return;
    gF.strom->append(zeitMs, strom);
    gF.spannung->append(zeitMs, spannung);
    gF.letzteMs = zeitMs;
    // Memory stays flat over a day: only the longest span is kept.
    int alt = 0;
    while (alt < gF.strom->count() && gF.strom->at(alt).x() < zeitMs - LAENGSTE_SPANNE_MS)
        ++alt;
    if (alt > 0) {
        gF.strom->removePoints(0, alt);
        gF.spannung->removePoints(0, alt);
    }
    while (!gF.marken.empty() && gF.marken.front().zeitMs < zeitMs - LAENGSTE_SPANNE_MS) {
        delete gF.marken.front().linie;
        delete gF.marken.front().beschriftung;
        gF.marken.pop_front();
        gF.markenPunkte->remove(0);
    }
    SichtAnpassen();
}

void TrendMarke(double zeitMs, const char* text) {
    if (!gF.widget) return;
    Marke m{zeitMs, Text(text), new QGraphicsLineItem(gF.chart), new QGraphicsSimpleTextItem(gF.chart)};
    QPen stift(QColor(0xb0, 0x20, 0x20), 1, Qt::DashLine);
    m.linie->setPen(stift);
    m.beschriftung->setText(m.text);
    m.beschriftung->setBrush(QColor(0x80, 0x10, 0x10));
    m.linie->setZValue(10);
    m.beschriftung->setZValue(11);
    gF.marken.push_back(m);
    const QList<QPointF> punkte = gF.strom->points();
    gF.markenPunkte->append(zeitMs, punkte.isEmpty() ? 0.0 : punkte.back().y());
    SichtAnpassen();
    MarkenZeichnen();
}

void TrendAufzeichnungZeigen(bool laeuft, const char* text, bool fehler) {
    if (!gF.widget) return;
    gF.zeichnet = laeuft;
    gF.aufzeichnen->setText(Text(laeuft ? gF.texte.beenden : gF.texte.aufzeichnen));
    gF.status->setText(Text(text));
    gF.status->setStyleSheet(fehler ? "color: #b01010; font-weight: bold;" : "");
}

void TrendSpanneSetzen(int sekunden) {
    if (!gF.widget) return;
    const int i = gF.spanne->findData(sekunden);
    if (i >= 0) gF.spanne->setCurrentIndex(i);
}

void TrendPauseSetzen(bool pausiert) {
    if (!gF.widget) return;
    gF.pausiert = pausiert;
    gF.pause->setText(Text(pausiert ? gF.texte.weiter : gF.texte.pause));
    SichtAnpassen(); // on resume the view jumps to the newest point
}

TrendInhalt TrendInhaltLesen() {
    TrendInhalt inhalt;
    if (!gF.widget) return inhalt;
    inhalt.punkte = static_cast<int>(gF.strom->count());
    for (const Marke& m : gF.marken)
        inhalt.marken.push_back(m.text.toStdString());
    inhalt.sichtVonMs = static_cast<double>(gF.zeitAchse->min().toMSecsSinceEpoch());
    inhalt.sichtBisMs = static_cast<double>(gF.zeitAchse->max().toMSecsSinceEpoch());
    inhalt.pausiert = gF.pausiert;
    inhalt.aufzeichnungText = gF.status->text().toStdString();
    inhalt.knopfText = gF.aufzeichnen->text().toStdString();
    return inhalt;
}
