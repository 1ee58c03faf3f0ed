// Modal popups, the file dialog and the progress dialog. While the popup hook is active each of
// them is recorded and answered from its script instead of being shown.
#include "platform/popup_hook.h"
#include "platform/ui.h"
#include "platform/ui_runtime.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

using namespace vkrui;

namespace {

constexpr int kEscapeButton = 3;

// Popups open over the active window; a window on its way out (a discarded progress dialog) is
// no parent, since it would take the popup with it.
QWidget* PopupParent() {
    QWidget* active = QApplication::activeWindow();
    return active && active->isVisible() ? active : nullptr;
}

QPushButton* AddChoice(QDialog& dialog, QHBoxLayout& row, const char* label, int number) {
    auto* button = new QPushButton(Mnemonicless(Utf8(label)), &dialog);
    button->setAutoDefault(true); // Enter presses the button that has the focus
    button->setVisible(label && *label);
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, number] { dialog.done(number); });
    row.addWidget(button);
    return button;
}

int ShowChoice(const char* title, const char* message, const char* const (&labels)[3], int enterButton) {
    QDialog dialog(PopupParent());
    dialog.setWindowTitle(Utf8(title));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    auto* text = new QLabel(Utf8(message), &dialog);
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    // Wide enough for a file path on one line; wrapping breaks paths at their hyphens.
    text->setMinimumWidth(420);
    layout->addWidget(text);
    auto* row = new QHBoxLayout;
    row->addStretch();
    QPushButton* buttons[3];
    for (int i = 0; i < 3; ++i)
        buttons[i] = AddChoice(dialog, *row, labels[i], i + 1);
    row->addStretch();
    layout->addLayout(row);
    // The Enter button starts with the focus, so Enter chooses it unless the user moves to
    // another button; Escape and the close box choose button 3.
    QPushButton* enter = buttons[std::clamp(enterButton, 1, 3) - 1];
    enter->setDefault(true);
    enter->setFocus(Qt::OtherFocusReason);
    const int result = dialog.exec();
    return result >= 1 && result <= 3 ? result : kEscapeButton;
}

struct FileFilter {
    QString primary; // the pattern the dialog shows first, e.g. "*.vkr"
    QString suffix;  // its extension without the dot, if it names one
};

FileFilter FilterOf(const char* defaultFileSpec, const char* fileTypeList) {
    const QString preset = Utf8(defaultFileSpec).trimmed();
    const bool isPattern = preset.contains(QLatin1Char('*')) || preset.contains(QLatin1Char('?'));
    FileFilter filter{isPattern ? preset : Utf8(fileTypeList).trimmed(), {}};
    if (filter.primary.isEmpty()) filter.primary = QStringLiteral("*");
    const QString first = filter.primary.section(QLatin1Char(';'), 0, 0);
    if (first.startsWith(QLatin1String("*.")) && !first.mid(2).contains(QLatin1Char('*')))
        filter.suffix = first.mid(2);
    return filter;
}

} // namespace

int MessagePopup(const char* title, const char* message) {
    if (PopupHook_Active()) {
        HookAnswer(
            {PopupKind::Message, Utf8(title).toStdString(), Utf8(message).toStdString(), {"OK"}, {}, 0}, 1,
            nullptr);
        return UIE_OK;
    }
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    QMessageBox box(QMessageBox::NoIcon, Utf8(title), Utf8(message), QMessageBox::Ok, PopupParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return UIE_OK;
}

int GenericMessagePopup(const char* title, const char* message, const char* button1, const char* button2,
                        const char* button3, int enterButton) {
    const char* const labels[3] = {button1, button2, button3};
    if (PopupHook_Active()) {
        PopupRecord record{
            PopupKind::Generic, Utf8(title).toStdString(), Utf8(message).toStdString(), {}, {}, 0};
        for (const char* label : labels)
            record.buttons.push_back(Utf8(label).toStdString());
        return HookAnswer(std::move(record), kEscapeButton, nullptr);
    }
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    return ShowChoice(title, message, labels, enterButton);
}

int FileSelectPopup(const char* defaultDirectory, const char* defaultFileSpec, const char* fileTypeList,
                    const char* title, int buttonLabel, int restrictDirectory, int restrictExtension,
                    int allowCancel, int allowMakeDirectory, std::string* pathName) {
    (void)restrictDirectory; // any directory may be chosen on this platform
    const FileFilter filter = FilterOf(defaultFileSpec, fileTypeList);
    const bool save = buttonLabel == VAL_SAVE_BUTTON;
    std::string path;
    if (PopupHook_Active()) {
        PopupRecord record{PopupKind::FileSelect,
                           Utf8(title).toStdString(),
                           filter.primary.toStdString(),
                           {save ? "Save" : "Load"},
                           {},
                           0};
        const int result = HookAnswer(std::move(record), VAL_NO_FILE_SELECTED, &path);
        if (pathName) *pathName = path;
        return result;
    }
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    QFileDialog dialog(PopupParent(), Utf8(title));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ReadOnly, allowMakeDirectory == 0);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // A name that does not exist yet is accepted in both modes; the caller learns which it was.
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters{filter.primary};
    if (!restrictExtension) filters << QStringLiteral("*");
    dialog.setNameFilters(filters);
    if (restrictExtension && !filter.suffix.isEmpty()) dialog.setDefaultSuffix(filter.suffix);
    const QString directory = Utf8(defaultDirectory);
    dialog.setDirectory(directory.isEmpty() ? QDir::currentPath() : directory);
    const QString preset = Utf8(defaultFileSpec);
    if (!preset.isEmpty() && !preset.contains(QLatin1Char('*'))) dialog.selectFile(preset);
    while (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        if (allowCancel) {
            if (pathName) pathName->clear();
            return VAL_NO_FILE_SELECTED;
        }
    }
    const QString chosen = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    if (pathName) *pathName = chosen.toStdString();
    return QFileInfo::exists(chosen) ? VAL_EXISTING_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
}

namespace {

// Tab leaves a field's text unselected: the selection a field drops when the focus leaves it makes
// screen readers talk over the name of the next field.
class FormLineEdit : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        if (event->reason() != Qt::TabFocusReason && event->reason() != Qt::BacktabFocusReason) {
            QLineEdit::focusInEvent(event);
            return;
        }
        // The cursor stays where it is (at the end of a text set by the program): moving it here
        // would reach screen readers before the focus and silence the field's name.
        QFocusEvent withoutSelection(event->type(), Qt::OtherFocusReason);
        QLineEdit::focusInEvent(&withoutSelection);
    }
};

int ShowForm(const char* title, const char* message, const FormField* fields, int count, const char* okButton,
             const char* cancelButton) {
    QDialog dialog(PopupParent());
    dialog.setWindowTitle(Utf8(title));
    dialog.setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(&dialog);
    if (message && *message) {
        auto* text = new QLabel(Utf8(message), &dialog);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        layout->addWidget(text);
        layout->addSpacing(6);
    }
    auto* form = new QFormLayout;
    std::vector<FormLineEdit*> edits;
    for (int i = 0; i < count; ++i) {
        auto* edit = new FormLineEdit(QString::fromStdString(*fields[i].value), &dialog);
        edit->setMinimumWidth(360);
        edit->setAccessibleName(Mnemonicless(Utf8(fields[i].label)));
        auto* label = new QLabel(Utf8(fields[i].label), &dialog);
        label->setBuddy(edit);
        form->addRow(label, edit);
        edits.push_back(edit);
    }
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* ok = buttons->addButton(Mnemonicless(Utf8(okButton)), QDialogButtonBox::AcceptRole);
    buttons->addButton(Mnemonicless(Utf8(cancelButton)), QDialogButtonBox::RejectRole);
    ok->setDefault(true); // Enter in any field is OK; Escape and the close box cancel
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (!edits.empty()) edits.front()->setFocus(Qt::OtherFocusReason);
    if (dialog.exec() != QDialog::Accepted) return 0;
    for (int i = 0; i < count; ++i)
        *fields[i].value = edits[i]->text().toStdString();
    return 1;
}

} // namespace

int FormPopup(const char* title, const char* message, const FormField* fields, int count,
              const char* okButton, const char* cancelButton) {
    if (PopupHook_Active()) {
        PopupRecord record{PopupKind::Form,
                           Utf8(title).toStdString(),
                           Utf8(message).toStdString(),
                           {Utf8(okButton).toStdString(), Utf8(cancelButton).toStdString()},
                           {},
                           0};
        for (int i = 0; i < count; ++i)
            record.fields.emplace_back(Utf8(fields[i].label).toStdString(), *fields[i].value);
        std::vector<std::string> texts;
        const int result = HookAnswer(std::move(record), 0, nullptr, &texts);
        if (result != 1) return 0;
        for (int i = 0; i < count && i < static_cast<int>(texts.size()); ++i)
            *fields[i].value = texts[i];
        return 1;
    }
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    return ShowForm(title, message, fields, count, okButton, cancelButton);
}

int OpenDocument(const char* path) {
    if (PopupHook_Active()) return 0;
    if (!HaveApplication()) return UIE_NOT_INITIALIZED;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(path))) ? 0 : -1;
}

// ---- Progress dialog ------------------------------------------------------------------------------

namespace {

struct Progress {
    QPointer<QDialog> dialog; // none while the hook answers
    QProgressBar* bar = nullptr;
    int token = 0;
    bool cancelRequested = false;
};

std::map<int, Progress>& ProgressDialogs() {
    static std::map<int, Progress> dialogs;
    return dialogs;
}

QDialog* MakeProgressWindow(int handle, Progress& progress, const char* title, const char* label, int modal,
                            const char* cancelLabel) {
    auto* dialog = new QDialog(PopupParent());
    dialog->setWindowTitle(Utf8(title));
    if (modal) dialog->setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(dialog);
    if (label && *label) layout->addWidget(new QLabel(Utf8(label), dialog));
    progress.bar = new QProgressBar(dialog);
    progress.bar->setRange(0, 100);
    progress.bar->setValue(0);
    progress.bar->setMinimumWidth(320);
    layout->addWidget(progress.bar);
    if (cancelLabel && *cancelLabel) {
        auto* cancel = new QPushButton(Mnemonicless(Utf8(cancelLabel)), dialog);
        const auto request = [handle] {
            const auto found = ProgressDialogs().find(handle);
            if (found != ProgressDialogs().end()) found->second.cancelRequested = true;
        };
        QObject::connect(cancel, &QPushButton::clicked, dialog, request);
        // Escape and the close box ask to stop as well; the work ends at its next step.
        QObject::connect(dialog, &QDialog::rejected, dialog, request);
        layout->addWidget(cancel, 0, Qt::AlignRight);
    }
    return dialog;
}

} // namespace

int CreateProgressDialog(const char* title, const char* indicatorLabel, int modal, int markerStyle,
                         const char* cancelButtonLabel) {
    (void)markerStyle; // one bar style on this platform
    static int nextHandle = 1;
    const int handle = nextHandle++;
    Progress& progress = ProgressDialogs()[handle];
    if (PopupHook_Active()) {
        PopupRecord record{
            PopupKind::Progress, Utf8(title).toStdString(), Utf8(indicatorLabel).toStdString(), {}, {}, 0};
        if (cancelButtonLabel && *cancelButtonLabel) record.buttons.push_back(cancelButtonLabel);
        progress.token = HookProgressBegin(std::move(record));
        return handle;
    }
    if (!HaveApplication()) {
        ProgressDialogs().erase(handle);
        return UIE_NOT_INITIALIZED;
    }
    progress.dialog = MakeProgressWindow(handle, progress, title, indicatorLabel, modal, cancelButtonLabel);
    progress.dialog->show();
    progress.dialog->raise();
    ProcessDrawEvents();
    return handle;
}

int UpdateProgressDialog(int dialog, int percent, int processEvents) {
    const auto found = ProgressDialogs().find(dialog);
    if (found == ProgressDialogs().end()) return UIE_BAD_PANEL;
    Progress& progress = found->second;
    if (progress.token && HookProgressStep(progress.token, percent)) progress.cancelRequested = true;
    if (!progress.dialog) return progress.cancelRequested ? 1 : 0;
    progress.bar->setValue(std::clamp(percent, 0, 100));
    // Without event processing the program is busy on the serial line: draw now, so the user
    // sees the progress, but let no input or timer reach the program.
    progress.dialog->repaint();
    ProcessDrawEvents();
    // With event processing the modal dialog takes the user's input (its cancel button); a timer
    // tick that falls due meanwhile is dropped by the dispatch, which runs no timer callback
    // while another callback runs.
    if (processEvents) QCoreApplication::processEvents(QEventLoop::ExcludeSocketNotifiers);
    return progress.cancelRequested ? 1 : 0;
}

void DiscardProgressDialog(int dialog) {
    const auto found = ProgressDialogs().find(dialog);
    if (found == ProgressDialogs().end()) return;
    // Deleted at once: a popup that follows must not find it as its parent.
    delete found->second.dialog.data();
    ProgressDialogs().erase(found);
}
