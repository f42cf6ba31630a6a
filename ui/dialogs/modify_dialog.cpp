#include "ui/dialogs/modify_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/dialogs/dialog_text.h"

namespace velmora {

namespace {

template <std::size_t N>
QComboBox* PieceList(const std::array<std::string_view, N>& captions, int initial, const char* name,
                     QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (std::string_view caption : captions) list->addItem(DialogText(caption));
    list->setCurrentIndex(initial);
    return list;
}

QPushButton* Button(std::string_view caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(DialogText(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

}  // namespace

ModifyDialog::ModifyDialog(const CubeState& copy, QWidget* parent) : QDialog(parent), modifier_(copy) {
    setWindowTitle(DialogText("改装魔方"));

    edge1_ = PieceList(kEdgeCaptions, 0, "edge1", this);
    edge2_ = PieceList(kEdgeCaptions, 1, "edge2", this);
    corner1_ = PieceList(kCornerCaptions, 0, "corner1", this);
    corner2_ = PieceList(kCornerCaptions, 1, "corner2", this);
    auto* exchangeEdges = Button("互换位置", "exchangeEdges", this);
    auto* flipEdge = Button("改变色向", "flipEdge", this);
    auto* exchangeCorners = Button("互换位置", "exchangeCorners", this);
    auto* twistCorner = Button("改变色向", "twistCorner", this);
    auto* restore = Button("复原", "restore", this);
    auto* ok = Button("确定", "ok", this);
    ok->setDefault(true);
    auto* cancel = Button("取消", "cancel", this);
    log_ = new QPlainTextEdit(this);
    log_->setObjectName(QStringLiteral("log"));
    log_->setReadOnly(true);

    connect(exchangeEdges, &QPushButton::clicked, this, [this] {
        modifier_.ExchangeEdges(edge1_->currentIndex(), edge2_->currentIndex());
        ShowLog();
    });
    connect(flipEdge, &QPushButton::clicked, this, [this] {
        modifier_.FlipEdge(edge1_->currentIndex());
        ShowLog();
    });
    connect(exchangeCorners, &QPushButton::clicked, this, [this] {
        modifier_.ExchangeCorners(corner1_->currentIndex(), corner2_->currentIndex());
        ShowLog();
    });
    connect(twistCorner, &QPushButton::clicked, this, [this] {
        modifier_.TwistCorner(corner1_->currentIndex());
        ShowLog();
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        modifier_.Restore();
        ShowLog();
    });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* edges = new QGroupBox(DialogText("边块设置"), this);
    auto* edgeGrid = new QGridLayout(edges);
    edgeGrid->addWidget(edge1_, 0, 0);
    edgeGrid->addWidget(flipEdge, 0, 1);
    edgeGrid->addWidget(edge2_, 1, 0);
    edgeGrid->addWidget(exchangeEdges, 1, 1);

    auto* corners = new QGroupBox(DialogText("角块设置"), this);
    auto* cornerGrid = new QGridLayout(corners);
    cornerGrid->addWidget(corner1_, 0, 0);
    cornerGrid->addWidget(twistCorner, 0, 1);
    cornerGrid->addWidget(corner2_, 1, 0);
    cornerGrid->addWidget(exchangeCorners, 1, 1);

    auto* centres = new QGroupBox(DialogText("中心小块改变色向"), this);
    auto* centreRow = new QHBoxLayout(centres);
    static constexpr std::string_view kCentreCaptions[6] = {"&T", "&F", "&R", "&P", "&L", "&B"};
    for (int face = 1; face <= 6; ++face) {
        auto* button = new QPushButton(DialogText(kCentreCaptions[face - 1]), centres);
        button->setObjectName(QStringLiteral("centre%1").arg(face));
        button->setMinimumWidth(32);
        connect(button, &QPushButton::clicked, this, [this, face] {
            modifier_.TurnCentre(face);
            ShowLog();
        });
        centreRow->addWidget(button);
    }

    auto* pieces = new QHBoxLayout;
    pieces->addWidget(edges);
    pieces->addWidget(corners);
    auto* left = new QVBoxLayout;
    left->addLayout(pieces);
    left->addWidget(centres);
    left->addWidget(log_, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    buttons->addWidget(restore);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    // Tab follows the picture: the edge and corner groups row by row, the centre
    // buttons, the log, then the button column.
    QList<QWidget*> order = {edge1_, flipEdge, edge2_, exchangeEdges, corner1_, twistCorner, corner2_, exchangeCorners};
    for (int face = 1; face <= 6; ++face) order.append(centres->findChild<QPushButton*>(QStringLiteral("centre%1").arg(face)));
    order << log_ << ok << cancel << restore;
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
    resize(520, 360);
    ShowLog();
}

void ModifyDialog::ShowLog() {
    log_->setPlainText(FromCrLf(modifier_.Log()));
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
}

}  // namespace velmora
