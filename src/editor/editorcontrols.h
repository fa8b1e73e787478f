// The controls of the question editor, by their own names. The window owns
// them; the layout and the record<->fields helpers work on this set.
#pragma once

#include <QRect>

class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTimer;
class QWidget;

namespace zorvik {

class PictureBox;
struct Scale;

struct EditorControls {
    // "Запитання №" N "із" M
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label3 = nullptr; // "Відповіді:"
    QLabel* Label4 = nullptr; // "1."
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label9 = nullptr;  // "5."
    QLabel* Label8 = nullptr;  // "Рисунок:"
    QLabel* Label13 = nullptr; // "Аудіо:"
    QLabel* Label14 = nullptr; // "Відео:"
    QLabel* Label12 = nullptr; // the unsaved-changes note
    QFrame* Bevel1 = nullptr;

    QPlainTextEdit* Memo1 = nullptr; // question
    QPlainTextEdit* Memo2 = nullptr; // answers 1..4
    QPlainTextEdit* Memo3 = nullptr;
    QPlainTextEdit* Memo4 = nullptr;
    QPlainTextEdit* Memo5 = nullptr;
    QPlainTextEdit* Memo7 = nullptr; // answer 5
    QLineEdit* Memo6 = nullptr;      // picture file
    QLineEdit* Memo8 = nullptr;      // sound file
    QLineEdit* Memo9 = nullptr;      // video file
    QLineEdit* Edit2 = nullptr;      // record number

    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr; // question and picture

    QGroupBox* GroupBox1 = nullptr;
    QRadioButton* RadioButton1 = nullptr; // low
    QRadioButton* RadioButton2 = nullptr; // medium
    QRadioButton* RadioButton3 = nullptr; // high
    QRadioButton* RadioButton4 = nullptr; // sufficient

    PictureBox* Image1 = nullptr;

    QPushButton* Button1 = nullptr;  // save
    QPushButton* Button2 = nullptr;  // discard
    QPushButton* Button3 = nullptr;  // leave
    QPushButton* Button4 = nullptr;  // first
    QPushButton* Button5 = nullptr;  // previous
    QPushButton* Button6 = nullptr;  // next
    QPushButton* Button7 = nullptr;  // last / append
    QPushButton* Button8 = nullptr;  // delete
    QPushButton* Button9 = nullptr;  // insert
    QPushButton* Button10 = nullptr; // choose a picture
    QPushButton* Button11 = nullptr; // copy the question
    QPushButton* Button12 = nullptr; // paste a question
    QPushButton* BitBtn1 = nullptr;  // choose a sound
    QPushButton* BitBtn2 = nullptr;  // choose a video
    QPushButton* BitBtn3 = nullptr;  // show the picture large
    QPushButton* BitBtn4 = nullptr;  // remove the picture
    QPushButton* BitBtn5 = nullptr;  // play the sound
    QPushButton* BitBtn6 = nullptr;  // remove the sound
    QPushButton* BitBtn7 = nullptr;  // play the video
    QPushButton* BitBtn8 = nullptr;  // remove the video
    QPushButton* BitBtn9 = nullptr;  // question list

    QProgressBar* Gauge1 = nullptr;
    QTimer* Timer1 = nullptr;

    // Popup of the six text fields: open a text file, font, background.
    QMenu* PopupMenu1 = nullptr;
    QAction* N6 = nullptr;
    QAction* N1 = nullptr;
    QAction* N2 = nullptr;
    // Popup of the picture: remove, change.
    QMenu* PopupMenu2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N4 = nullptr;
};

// Creates every control on `window` with its name, caption, hint and tab
// order, placed at its design position scaled by `scale`. Returns the normal
// picture frame.
QRect buildEditorControls(QWidget* window, EditorControls& c, const Scale& scale);

} // namespace zorvik
