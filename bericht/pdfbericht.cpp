// The report's content on A4 pages through Qt's PDF writer. Positions are millimetres from the
// page's top left corner; every block stays whole on one page, and the page count is known
// before the first page is drawn, so each footer says "page n of m".
#include "bericht/bericht.h"
#include "bericht/berichtsinhalt.h"

#include "errors/fehler.h"

#include "storage/ersatzdatei.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace {

constexpr int kAufloesung = 600;             // dots per inch of the page coordinates
constexpr double kLinks = 18, kBreite = 174; // text area: 18 mm margins left and right
constexpr double kOben = 15, kUnten = 282;   // first and last line of the text area
constexpr double kKopfHoehe = 9;             // running header on the pages after the first
constexpr double kZeile = 4.5;               // one parameter
constexpr double kGeraetZeile = 3.6;         // the regulator's value under it
constexpr double kBalken = 7;                // a set's title bar
constexpr double kKurzZeile = 5.5;           // the line of a set that equals an earlier one
constexpr double kSpalte = 84, kSpaltenAbstand = 6;
constexpr double kAngabeName = 38; // name column of the particulars

const QColor kSchwarz(0x1a, 0x1a, 0x1a);
const QColor kGrau(0x60, 0x60, 0x60);
const QColor kLinie(0xb4, 0xb4, 0xb4);
const QColor kBalkenFarbe(0xe4, 0xe8, 0xee);
const QColor kAbweichung(0xff, 0xe2, 0xa6);
const QColor kRot(0xa0, 0x10, 0x10);

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

struct Schrift {
    QFont text, fett, klein, titel, balken;
};

Schrift Schriften() {
    QFont basis(QStringLiteral("DejaVu Sans"));
    basis.setStyleHint(QFont::SansSerif);
    // No ligatures: "fi" and "ff" stay two letters for anyone who copies or searches the text.
    basis.setStyleStrategy(QFont::PreferNoShaping);
    Schrift s{basis, basis, basis, basis, basis};
    s.text.setPointSizeF(8.8);
    s.fett.setPointSizeF(8.8);
    s.fett.setBold(true);
    s.klein.setPointSizeF(7.2);
    s.titel.setPointSizeF(16);
    s.titel.setBold(true);
    s.balken.setPointSizeF(10);
    s.balken.setBold(true);
    return s;
}

// Drawing in millimetres on the writer's device.
struct Blatt {
    QPainter& p;
    const Schrift& s;
    double mm = kAufloesung / 25.4;

    QRectF R(double x, double y, double b, double h) const { return {x * mm, y * mm, b * mm, h * mm}; }
    void Text(const QFont& f, const QColor& farbe, double x, double y, double b, double h, int flags,
              const QString& text) {
        p.setFont(f);
        p.setPen(farbe);
        const QString passend = flags & Qt::TextWordWrap
                                    ? text
                                    : QFontMetricsF(f, p.device()).elidedText(text, Qt::ElideRight, b * mm);
        p.drawText(R(x, y, b, h), flags, passend);
    }
    void Flaeche(double x, double y, double b, double h, const QColor& farbe) {
        p.fillRect(R(x, y, b, h), farbe);
    }
    void Linie(double x1, double y1, double x2, double y2, const QColor& farbe) {
        p.setPen(QPen(farbe, 0.2 * mm));
        p.drawLine(QPointF(x1 * mm, y1 * mm), QPointF(x2 * mm, y2 * mm));
    }
    // Height in millimetres of text wrapped into width b.
    double Hoehe(const QFont& f, double b, const QString& text) const {
        const QRectF r = QFontMetricsF(f, p.device()).boundingRect(R(0, 0, b, 1000), Qt::TextWordWrap, text);
        return r.height() / mm;
    }
    double TextBreite(const QFont& f, const QString& text) const {
        return QFontMetricsF(f, p.device()).horizontalAdvance(text) / mm;
    }
};

constexpr int kLinksMitte = Qt::AlignLeft | Qt::AlignVCenter;
constexpr int kRechtsMitte = Qt::AlignRight | Qt::AlignVCenter;

// ---- Blocks -----------------------------------------------------------------------------------

double AngabeHoehe(const Blatt& b, const Berichtsangabe& a) {
    return std::max(6.2, b.Hoehe(b.s.text, kBreite - kAngabeName, Q(a.wert)) + 2.4);
}

double KopfHoehe(const Blatt& b, const Berichtsinhalt& inhalt) {
    double h = 18;
    for (const Berichtsangabe& a : inhalt.angaben)
        h += AngabeHoehe(b, a);
    return h + 3;
}

void KopfZeichnen(Blatt& b, const Berichtsinhalt& inhalt, double y) {
    b.Text(b.s.titel, kSchwarz, kLinks, y, kBreite, 9, kLinksMitte, Q(inhalt.titel));
    b.Text(b.s.text, kGrau, kLinks, y + 9, kBreite, 6, kLinksMitte, Q(inhalt.untertitel));
    y += 18;
    b.Linie(kLinks, y, kLinks + kBreite, y, kLinie);
    // A form: each particular on a ruled line, so an empty one can be filled in by hand.
    for (const Berichtsangabe& a : inhalt.angaben) {
        const double h = AngabeHoehe(b, a);
        b.Text(b.s.fett, kGrau, kLinks, y + 1.2, kAngabeName, 4.5, kLinksMitte, Q(a.name));
        b.Text(b.s.text, kSchwarz, kLinks + kAngabeName, y + 1.2, kBreite - kAngabeName, h - 1.2,
               Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, Q(a.wert));
        y += h;
        b.Linie(kLinks, y, kLinks + kBreite, y, kLinie);
    }
}

double LegendeHoehe(const Berichtsinhalt& inhalt) {
    return 4.5 * inhalt.legende.size() + 3;
}

void LegendeZeichnen(Blatt& b, const Berichtsinhalt& inhalt, double y) {
    for (const std::string& zeile : inhalt.legende) {
        b.Text(b.s.klein, kGrau, kLinks, y, kBreite, 4.5, kLinksMitte, Q(zeile));
        y += 4.5;
    }
}

// One parameter: marker, label, value and unit; a value the regulator held instead goes on a
// small line under it, the two shaded.
void ZeileZeichnen(Blatt& b, const Berichtszeile& z, double x, double y, double breite, double hoehe,
                   const QString& geraet) {
    const bool abweichend = !z.geraetewert.empty();
    if (abweichend) b.Flaeche(x, y + 0.3, breite, hoehe - 0.6, kAbweichung);
    b.Text(b.s.fett, kSchwarz, x, y, 4, kZeile, Qt::AlignCenter, Q(z.marke));
    b.Text(b.s.text, kSchwarz, x + 4, y, 35, kZeile, kLinksMitte, Q(z.label));
    // Texts start where the values start and may use the unit's room; numbers end at the unit.
    if (z.text)
        b.Text(b.s.text, kSchwarz, x + 39, y, breite - 39, kZeile, kLinksMitte, Q(z.wert));
    else
        b.Text(b.s.text, kSchwarz, x + 39, y, 17, kZeile, kRechtsMitte, Q(z.wert));
    if (!z.text) b.Text(b.s.text, kSchwarz, x + 57.5, y, breite - 57.5, kZeile, kLinksMitte, Q(z.einheit));
    if (abweichend)
        b.Text(b.s.klein, kRot, x + 39, y + kZeile - 0.8, breite - 39, kGeraetZeile, kLinksMitte,
               geraet + ": " + Q(z.geraetewert));
}

double ZeilenHoehe(const Berichtszeile* links, const Berichtszeile* rechts) {
    const bool abweichend =
        (links && !links->geraetewert.empty()) || (rechts && !rechts->geraetewert.empty());
    return kZeile + (abweichend ? kGeraetZeile - 0.8 : 0);
}

// Row r of a group's two columns, either of which may have ended.
double GruppenZeile(const Berichtsgruppe& g, size_t r) {
    return ZeilenHoehe(r < g.links.size() ? &g.links[r] : nullptr,
                       r < g.rechts.size() ? &g.rechts[r] : nullptr);
}

double GruppenHoehe(const Berichtsgruppe& g) {
    double h = 0;
    for (size_t r = 0; r < std::max(g.links.size(), g.rechts.size()); ++r)
        h += GruppenZeile(g, r);
    return h;
}

bool ZeileAbweichend(const Berichtstabelle& t, int sp) {
    return std::any_of(std::begin(t.geraetewerte[sp]), std::end(t.geraetewerte[sp]),
                       [](const std::string& s) { return !s.empty(); });
}

double TabellenHoehe(const Berichtstabelle& t) {
    return 5 + 4 + kZeile * (2 + ZeileAbweichend(t, 0) + ZeileAbweichend(t, 1));
}

void TabelleZeichnen(Blatt& b, const Berichtstabelle& t, double y, const QString& geraet) {
    constexpr double kTitel = 32, kZelle = (kBreite - kTitel) / 10;
    b.Text(b.s.fett, kSchwarz, kLinks, y, 4, 5, Qt::AlignCenter, Q(t.marke));
    b.Text(b.s.fett, kSchwarz, kLinks + 4, y, kBreite - 4, 5, kLinksMitte, Q(t.titel));
    y += 5;
    for (int z = 0; z < 10; ++z)
        b.Text(b.s.klein, kGrau, kLinks + kTitel + z * kZelle, y, kZelle - 1, 4, kRechtsMitte,
               QString::number(z + 1));
    y += 4;
    for (int sp = 0; sp < 2; ++sp) {
        b.Text(b.s.text, kSchwarz, kLinks + 4, y, kTitel - 4, kZeile, kLinksMitte, Q(t.zeilentitel[sp]));
        for (int z = 0; z < 10; ++z) {
            const double x = kLinks + kTitel + z * kZelle;
            if (!t.geraetewerte[sp][z].empty()) b.Flaeche(x, y + 0.3, kZelle, kZeile - 0.6, kAbweichung);
            b.Text(b.s.text, kSchwarz, x, y, kZelle - 1, kZeile, kRechtsMitte, Q(t.werte[sp][z]));
        }
        y += kZeile;
        if (!ZeileAbweichend(t, sp)) continue;
        b.Text(b.s.klein, kRot, kLinks + 8, y, kTitel - 8, kZeile, kLinksMitte, geraet);
        for (int z = 0; z < 10; ++z)
            b.Text(b.s.klein, kRot, kLinks + kTitel + z * kZelle, y, kZelle - 1, kZeile, kRechtsMitte,
                   Q(t.geraetewerte[sp][z]));
        y += kZeile;
    }
}

double AbschnittHoehe(const Berichtsabschnitt& a) {
    if (a.zusammengefasst) return kKurzZeile + 1;
    double h = kBalken + 1.5 + ZeilenHoehe(&a.kurve, nullptr);
    for (size_t i = 0; i < a.gruppen.size(); ++i)
        h += (i > 0 ? 6 : 0) + GruppenHoehe(a.gruppen[i]);
    if (a.mitTabelle) h += 1.5 + TabellenHoehe(a.tabelle);
    return h + 5;
}

// A set printed whole gets a bar; one that equals an earlier set a ruled line naming that set.
void BalkenZeichnen(Blatt& b, const Berichtsabschnitt& a, double y) {
    const double h = a.zusammengefasst ? kKurzZeile : kBalken;
    if (a.zusammengefasst)
        b.Linie(kLinks, y + h, kLinks + kBreite, y + h, kLinie);
    else
        b.Flaeche(kLinks, y, kBreite, h, kBalkenFarbe);
    const QFont& schrift = a.zusammengefasst ? b.s.fett : b.s.balken;
    b.Text(schrift, kSchwarz, kLinks + 2, y, kBreite - 64, h, kLinksMitte, Q(a.titel));
    if (!a.vermerk.empty()) {
        const double x = kLinks + 2 + b.TextBreite(schrift, Q(a.titel) + QStringLiteral("  "));
        b.Text(b.s.text, kSchwarz, x, y, kLinks + kBreite - 64 - x, h, kLinksMitte, Q(a.vermerk));
    }
    b.Text(b.s.text, a.abweichend ? kRot : kGrau, kLinks + kBreite - 62, y, 60, h, kRechtsMitte, Q(a.stand));
}

void AbschnittZeichnen(Blatt& b, const Berichtsabschnitt& a, double y, const QString& geraet) {
    BalkenZeichnen(b, a, y);
    if (a.zusammengefasst) return;
    y += kBalken + 1.5;
    const double kurve = ZeilenHoehe(&a.kurve, nullptr);
    ZeileZeichnen(b, a.kurve, kLinks, y, kBreite, kurve, geraet);
    y += kurve;
    for (size_t i = 0; i < a.gruppen.size(); ++i) {
        const Berichtsgruppe& g = a.gruppen[i];
        if (i > 0) {
            b.Text(b.s.fett, kSchwarz, kLinks + 4, y + 1, kBreite - 4, 5, kLinksMitte, Q(g.titel));
            y += 6;
        }
        for (size_t r = 0; r < std::max(g.links.size(), g.rechts.size()); ++r) {
            const double h = GruppenZeile(g, r);
            if (r < g.links.size()) ZeileZeichnen(b, g.links[r], kLinks, y, kSpalte, h, geraet);
            if (r < g.rechts.size())
                ZeileZeichnen(b, g.rechts[r], kLinks + kSpalte + kSpaltenAbstand, y, kSpalte, h, geraet);
            y += h;
        }
    }
    if (a.mitTabelle) TabelleZeichnen(b, a.tabelle, y + 1.5, geraet);
}

double UnterschriftHoehe() {
    return 22;
}

void UnterschriftZeichnen(Blatt& b, const Berichtsinhalt& inhalt, double y) {
    b.Text(b.s.text, kSchwarz, kLinks, y + 4, kBreite, 5, kLinksMitte, Q(inhalt.unterschrift));
    b.Linie(kLinks, y + 18, kLinks + kBreite, y + 18, kSchwarz);
}

void RahmenZeichnen(Blatt& b, const Berichtsinhalt& inhalt, int seite, int seiten) {
    if (seite > 1) {
        b.Text(b.s.klein, kGrau, kLinks, kOben, kBreite, 4, kLinksMitte, Q(inhalt.kopfzeile));
        b.Linie(kLinks, kOben + 5, kLinks + kBreite, kOben + 5, kLinie);
    }
    const double y = kUnten + 3;
    b.Linie(kLinks, y, kLinks + kBreite, y, kLinie);
    b.Text(b.s.klein, kGrau, kLinks, y + 1, kBreite / 2, 4, kLinksMitte, Q(inhalt.fusszeile));
    b.Text(b.s.klein, kGrau, kLinks + kBreite / 2, y + 1, kBreite / 2, 4, kRechtsMitte,
           Q(inhalt.seite).arg(seite).arg(seiten));
}

// ---- Pages ------------------------------------------------------------------------------------

enum class Blockart { Kopf, Legende, Abschnitt, Unterschrift };

struct Block {
    Blockart art;
    size_t index = 0; // the set, for Abschnitt
    double hoehe = 0;
    int seite = 0;
    double y = 0;
};

// Places every block below the previous one and starts a new page where it would not fit.
int Umbrechen(std::vector<Block>& bloecke) {
    int seite = 1;
    double y = kOben;
    for (Block& blk : bloecke) {
        if (y + blk.hoehe > kUnten && y > kOben + kKopfHoehe) {
            ++seite;
            y = kOben + kKopfHoehe;
        }
        blk.seite = seite;
        blk.y = y;
        y += blk.hoehe;
    }
    return seite;
}

void Zeichnen(QPdfWriter& writer, QPainter& p, const Berichtsinhalt& inhalt) {
    const Schrift s = Schriften();
    Blatt b{p, s};
    std::vector<Block> bloecke = {{Blockart::Kopf, 0, KopfHoehe(b, inhalt)},
                                  {Blockart::Legende, 0, LegendeHoehe(inhalt)}};
    for (size_t i = 0; i < inhalt.abschnitte.size(); ++i)
        bloecke.push_back({Blockart::Abschnitt, i, AbschnittHoehe(inhalt.abschnitte[i])});
    bloecke.push_back({Blockart::Unterschrift, 0, UnterschriftHoehe()});
    const int seiten = Umbrechen(bloecke);

    const QString geraet = Q(inhalt.geraetKurz);
    int seite = 0;
    for (const Block& blk : bloecke) {
        while (seite < blk.seite) {
            if (seite > 0) writer.newPage();
            RahmenZeichnen(b, inhalt, ++seite, seiten);
        }
        switch (blk.art) {
        case Blockart::Kopf:
            KopfZeichnen(b, inhalt, blk.y);
            break;
        case Blockart::Legende:
            LegendeZeichnen(b, inhalt, blk.y + 1);
            break;
        case Blockart::Abschnitt:
            AbschnittZeichnen(b, inhalt.abschnitte[blk.index], blk.y, geraet);
            break;
        case Blockart::Unterschrift:
            UnterschriftZeichnen(b, inhalt, blk.y);
            break;
        }
    }
}

int Fehler(int code, const char* pfad, int fehler) {
    const std::string text = std::string("\n\n") + pfad + ": " + std::strerror(fehler);
    ZEM_Fehleruserstring(text.c_str());
    return code;
}

// The PDF in memory; written to disk in one piece afterwards.
bool PdfErzeugen(const Berichtsdaten& daten, QByteArray* pdf) {
    const Berichtsinhalt inhalt = BerichtsinhaltBilden(daten);
    QBuffer puffer(pdf);
    puffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&puffer);
    // PDF/A-1b: every font embedded, nothing that depends on the viewer; made to be archived.
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kAufloesung);
    writer.setTitle(QString::fromStdString(inhalt.titel + " \u2013 " + daten.programmdatei));
    writer.setCreator(QString::fromStdString(inhalt.fusszeile));
    QPainter p;
    if (!p.begin(&writer)) return false;
    Zeichnen(writer, p, inhalt);
    return p.end();
}

} // namespace

int BerichtSchreiben(const char* pfad, const Berichtsdaten& daten) {
    QByteArray pdf;
    if (!PdfErzeugen(daten, &pdf)) return Fehler(BERICHT_SCHREIBEN, pfad, ENOMEM);
    // A file that could not be overwritten in place (write-protected, a directory) is not
    // replaced either.
    std::error_code ec;
    if (std::filesystem::exists(pfad, ec)) {
        std::FILE* alt = std::fopen(pfad, "r+b");
        if (!alt) return Fehler(BERICHT_OEFFNEN, pfad, errno);
        std::fclose(alt);
    }
    Ersatzdatei e;
    const int angelegt = ErsatzdateiAnlegen(pfad, "pdf$$", &e);
    if (angelegt != 0) return Fehler(BERICHT_OEFFNEN, pfad, angelegt > 0 ? angelegt : EEXIST);
    errno = 0;
    if (std::fwrite(pdf.constData(), 1, pdf.size(), e.datei) != static_cast<size_t>(pdf.size())) {
        const int fehler = errno;
        ErsatzdateiVerwerfen(&e);
        return Fehler(BERICHT_SCHREIBEN, pfad, fehler ? fehler : EIO);
    }
    if (const int fehler = ErsatzdateiAbschliessen(&e)) return Fehler(BERICHT_SCHREIBEN, pfad, fehler);
    if (const int fehler = ErsatzdateiEinsetzen(&e, pfad)) return Fehler(BERICHT_SCHREIBEN, pfad, fehler);
    return 0;
}
