// The photo input: the dialog's state over six read faces (resolution, the rotation
// search, what it says about missing, doubled or unreadable photos, corrections) and
// the document's step that sets the position from the colouring.
#include <random>

#include "doc_fixture.h"
#include "document/photo_input.h"
#include "model/facelet_string.h"

namespace velmora::test {
namespace {

// A measured colour per facelet letter U R F D L B, as a camera in daylight sees them.
constexpr std::array<Rgb, 6> kSeen = {{
    {235, 235, 230}, {190, 30, 35}, {20, 150, 70}, {230, 220, 40}, {240, 120, 20}, {20, 70, 180}}};

// The nine samples of face f of a facelet string as a photo turned by `turns`
// anticlockwise quarter turns lies in its picture.
FaceSamples PhotoOf(std::string_view facelets, int f, int turns) {
    FaceSamples s;
    for (int i = 0; i < 9; ++i) {
        int r = i / 3, c = i % 3;
        for (int t = 0; t < turns; ++t) {
            const int nr = 2 - c;
            c = r;
            r = nr;
        }
        const char letter = facelets[static_cast<std::size_t>(9 * f + i)];
        s[static_cast<std::size_t>(3 * r + c)] = kSeen[kFaceletLetters.find(letter)];
    }
    return s;
}

class PhotoInput : public DocTest {
protected:
    // The facelet string of the position a few random turns give.
    std::string Scramble(unsigned seed) {
        std::mt19937 rng(seed);
        RandomTurns(m(), rng, 30);
        m().ExecuteAndSolve();
        user.Clear();
        char text[55];
        WriteFaceletString(m(), true, text);
        return text;
    }
    void LoadAll(PhotoInputState& s, std::string_view facelets, unsigned seed) {
        std::mt19937 rng(seed);
        for (int f = 0; f < kPhotoSlotCount; ++f)
            s.PhotoRead(f, "face" + std::to_string(f) + ".jpg", PhotoOf(facelets, f, static_cast<int>(rng() % 4)));
    }
    std::string NewestHistoryName() const { return doc->commandRing[(doc->cmdCursor - 1) % kHistoryCapacity].name; }
};

TEST_F(PhotoInput, SixTurnedPhotosResolveToThePosition) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const std::string facelets = Scramble(seed);
        PhotoInputState s;
        LoadAll(s, facelets, seed);
        ASSERT_TRUE(s.HasColouring()) << s.Message();
        EXPECT_EQ(s.Facelets(), facelets);
        EXPECT_EQ(s.DoubtCount(), 0);
        EXPECT_FALSE(s.MessageIsError());
    }
}

TEST_F(PhotoInput, SaysWhatIsMissingOrWrongAndKeepsItsSlots) {
    const std::string facelets = Scramble(7);
    PhotoInputState s;
    EXPECT_EQ(s.Message(), "已读入0面，还差：顶面、右面、前面、底面、左面、后面。");
    LoadAll(s, facelets, 7);
    s.ClearSlot(3);
    s.PhotoWithoutFace(5, "b.jpg");
    EXPECT_FALSE(s.HasColouring());
    EXPECT_EQ(s.Message(), "后面（b.jpg）：" + std::string(kNoFaceText));
    s.PhotoUnreadable("notes.txt", "不是图片文件");
    EXPECT_EQ(s.Message(), "notes.txt：不是图片文件");
    EXPECT_EQ(s.Slot(5).state, SlotState::NoFace);
    EXPECT_EQ(s.Slot(0).state, SlotState::Read);
    EXPECT_EQ(s.ReadCount(), 4);

    // The front face photographed twice: the message names the photo.
    s.PhotoRead(5, "b.jpg", PhotoOf(facelets, 5, 0));
    s.PhotoRead(3, "again.jpg", PhotoOf(facelets, 2, 1));
    EXPECT_FALSE(s.HasColouring());
    EXPECT_TRUE(s.MessageIsError());
    EXPECT_NE(s.Message().find("again.jpg"), std::string::npos) << s.Message();

    // Stickers of no cube colour at all fit no real cube.
    FaceSamples bad = PhotoOf(facelets, 3, 0);
    for (std::size_t i : {0u, 2u, 6u, 8u}) bad[i] = {255, 0, 255};
    s.PhotoRead(3, "d.jpg", bad);
    EXPECT_FALSE(s.HasColouring());
    EXPECT_NE(s.Message().find("拼不成一个真实的魔方"), std::string::npos) << s.Message();
    EXPECT_EQ(s.Facelets(), "");
}

TEST_F(PhotoInput, CorrectionsChangeStickersButNeverCentres) {
    const std::string facelets = Scramble(11);
    PhotoInputState s;
    LoadAll(s, facelets, 11);
    ASSERT_TRUE(s.HasColouring());
    const char other = facelets[0] == 'U' ? 'R' : 'U';
    EXPECT_TRUE(s.ChooseSticker(0, other));
    EXPECT_FALSE(s.ChooseSticker(0, other));
    EXPECT_FALSE(s.ChooseSticker(4, 'R'));
    EXPECT_FALSE(s.ChooseSticker(1, 'x'));
    EXPECT_EQ(s.Sticker(0), other);
    EXPECT_EQ(s.Sticker(4), 'U');
}

TEST_F(PhotoInput, ConfirmedColouringIsOneUndoableStep) {
    const std::string facelets = Scramble(5);
    const std::string scrambled = Code();
    m().ResetCube();
    m().ExecuteAndSolve();
    const std::string solved = Code();
    const int cursor = doc->cmdCursor;
    user.Clear();

    EXPECT_EQ(doc->ApplyPhotoColouring(facelets), 1);
    // The pieces and centres as scrambled; the centres' own turns are not in a photo.
    EXPECT_EQ(Code().substr(0, 66), scrambled.substr(0, 66));
    EXPECT_EQ(doc->cmdCursor, cursor + 1);
    EXPECT_EQ(NewestHistoryName(), "照片输入");
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::Message).front().text, "魔方设置成功！");
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(m().inputMode, 0);
    doc->OnCommand(cmd::kUndo);
    EXPECT_EQ(Code(), solved);
}

TEST_F(PhotoInput, RefusedColouringLeavesPositionAndHistory) {
    std::string facelets = Scramble(9);
    const std::string before = Code();
    const int cursor = doc->cmdCursor;
    // Two edge stickers of one piece swapped: a flipped edge, which a real cube cannot
    // show. The first question (go on correcting?) is answered Yes, then No.
    std::swap(facelets[1], facelets[46]);
    for (Answer a : {Answer::Yes, Answer::No}) {
        user.answers = {a};
        EXPECT_EQ(doc->ApplyPhotoColouring(facelets), a == Answer::Yes ? 0 : -1);
        EXPECT_EQ(Code(), before);
        EXPECT_EQ(doc->cmdCursor, cursor);
        EXPECT_FALSE(doc->CanRedo());
        EXPECT_EQ(m().inputMode, 0);
    }
    // Not a colouring at all, and photo input during cube input.
    user.Clear();
    EXPECT_EQ(doc->ApplyPhotoColouring("UUU"), 0);
    EXPECT_EQ(user.CallsOf(ScriptedUser::Kind::Message).size(), 1u);
    m().inputMode = -1;
    EXPECT_FALSE(doc->IsEnabled(cmd::kPhotoInput));
    EXPECT_EQ(doc->ApplyPhotoColouring(facelets), -1);
}

}  // namespace
}  // namespace velmora::test
