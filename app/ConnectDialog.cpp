#include "app/ConnectDialog.h"

#include "app/RecordingName.h"
#include "app/settings/LiveSettings.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <variant>

namespace orvik::app {

namespace {

// A line edit with its button to the right, as one row of the form.
QHBoxLayout* withButton(QLineEdit* edit, QPushButton* button)
{
    auto* row = new QHBoxLayout;
    row->addWidget(edit, 1);
    row->addWidget(button);
    return row;
}

// A row that is a layout gets no label of its own that its shortcut would move to the edit.
QLabel* buddyLabel(const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

QPushButton* button(const char* name, const QString& text)
{
    auto* made = new QPushButton(text);
    made->setObjectName(name);
    made->setAutoDefault(false); // Return accepts the dialog
    return made;
}

} // namespace

ConnectDialog::ConnectDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName("ConnectDialog");
    setWindowTitle("Connect to server");

    serverCombo_ = new QComboBox;
    serverCombo_->setObjectName("ServerCombo");
    serverCombo_->setEditable(true);
    serverCombo_->setInsertPolicy(QComboBox::NoInsert);
    serverCombo_->addItems(recentServers());
    serverCombo_->lineEdit()->setPlaceholderText("HOST:PORT");
    recordingEdit_ = new QLineEdit;
    recordingEdit_->setObjectName("RecordingEdit");
    recordingEdit_->setMinimumWidth(420);
    recordingEdit_->setPlaceholderText("a new file in the recordings folder, named after the server and the time");
    folderEdit_ = new QLineEdit(QDir::toNativeSeparators(recordingsFolder()));
    folderEdit_->setObjectName("RecordingsFolderEdit");
    folderEdit_->setReadOnly(true);
    QPushButton* browse = button("RecordingBrowse", "Browse...");
    QPushButton* chooseFolder = button("RecordingsFolderBrowse", "Choose...");
    problem_ = new QLabel;
    problem_->setObjectName("ConnectProblem");
    problem_->setWordWrap(true);
    problem_->setStyleSheet("color: #b00000");
    problem_->hide();

    auto* form = new QFormLayout;
    form->addRow("&Server:", serverCombo_);
    form->addRow(buddyLabel("&Recording:", recordingEdit_), withButton(recordingEdit_, browse));
    form->addRow(buddyLabel("Recordings &folder:", folderEdit_), withButton(folderEdit_, chooseFolder));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText("Connect");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(problem_);
    layout->addWidget(buttons);

    connect(serverCombo_, &QComboBox::currentTextChanged, this, &ConnectDialog::nameRecording);
    connect(recordingEdit_, &QLineEdit::textEdited, this, [this] { recordingNamed_ = true; });
    connect(browse, &QPushButton::clicked, this, &ConnectDialog::chooseRecording);
    connect(chooseFolder, &QPushButton::clicked, this, &ConnectDialog::chooseFolder);
    connect(buttons, &QDialogButtonBox::accepted, this, &ConnectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ConnectDialog::reject);
    nameRecording();
}

QString ConnectDialog::folder() const
{
    return QDir::fromNativeSeparators(folderEdit_->text());
}

QString ConnectDialog::recording() const
{
    return QDir::fromNativeSeparators(recordingEdit_->text().trimmed());
}

void ConnectDialog::nameRecording()
{
    if (recordingNamed_)
        return;
    const auto server = live::parseServerAddress(serverCombo_->currentText().trimmed().toStdString());
    const auto* address = std::get_if<live::ServerAddress>(&server);
    recordingEdit_->setText(
        address ? QDir::toNativeSeparators(
                      QDir(folder()).filePath(recordingFileName(*address, QDateTime::currentDateTimeUtc())))
                : QString());
}

void ConnectDialog::chooseRecording()
{
    const QString chosen = QFileDialog::getSaveFileName(this, "Recording", recording(),
                                                        "Corvane Lander Binary (*.cvlbin)");
    if (chosen.isEmpty())
        return;
    recordingEdit_->setText(QDir::toNativeSeparators(chosen));
    recordingNamed_ = true;
}

void ConnectDialog::chooseFolder()
{
    const QString chosen = QFileDialog::getExistingDirectory(this, "Recordings folder", folder());
    if (chosen.isEmpty())
        return;
    folderEdit_->setText(QDir::toNativeSeparators(chosen));
    nameRecording();
}

QString ConnectDialog::problem()
{
    const auto server = live::parseServerAddress(serverCombo_->currentText().trimmed().toStdString());
    if (const auto* why = std::get_if<std::string>(&server))
        return QString("The server is not HOST:PORT: %1.").arg(QString::fromStdString(*why));
    server_ = std::get<live::ServerAddress>(server);
    if (!recordingNamed_) // named after the moment receiving begins, in a folder that exists
        recordingEdit_->setText(QDir::toNativeSeparators(newRecordingPath(server_, folder())));
    const QFileInfo file(recording());
    if (recording().isEmpty())
        return "Name the file the stream is recorded to.";
    // A folder or a device is no archive the window could follow.
    if (file.exists() && !file.isFile())
        return QString("%1 is not a plain file.").arg(QDir::toNativeSeparators(file.filePath()));
    return {};
}

void ConnectDialog::accept()
{
    const QString why = problem();
    problem_->setText(why);
    problem_->setVisible(!why.isEmpty());
    if (!why.isEmpty())
        return;
    setRecordingsFolder(folder());
    QDialog::accept();
}

} // namespace orvik::app
