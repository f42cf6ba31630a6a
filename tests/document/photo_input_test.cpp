// The photo input: the dialog's state over six read faces (resolution, the rotation
// search, measured colours, what it says about missing, doubled or unreadable photos,
// corrections and the hand finish when no real cube fits, the question about two faces
// alike) and the document's steps that check the colouring and set the position.
#include <algorithm>
#include <random>
#include <utility>

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
    ColouringCheck Check() {
        return [this](std::string_view f) { return doc->CheckPhotoColouring(f); };
    }
    // Puts the letters of facelets on every sticker where the state differs (as the
    // user would by hand); the number of stickers changed.
    static int FinishByHand(PhotoInputState& s, std::string_view facelets) {
        int changed = 0;
        for (int i = 0; i < 54; ++i) {
            // A doubtful sticker that is right is confirmed by choosing its colour.
            if (s.Sticker(i) == facelets[static_cast<std::size_t>(i)] && !s.InDoubt(i)) continue;
            const int doubts = s.DoubtCount();
            EXPECT_TRUE(s.ChooseSticker(i, facelets[static_cast<std::size_t>(i)])) << i;
            // The line counts the doubts that are left.
            EXPECT_LE(s.DoubtCount(), doubts);
            if (s.DoubtCount() > 0) {
                EXPECT_NE(s.Message().find("有" + std::to_string(s.DoubtCount()) + "个色块"), std::string::npos) << s.Message();
            }
            ++changed;
        }
        return changed;
    }
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
        // Each sticker shows the colour measured for it, wherever its photo turned it.
        for (int i = 0; i < 54; ++i) {
            const Rgb want = kSeen[kFaceletLetters.find(facelets[static_cast<std::size_t>(i)])];
            const Rgb got = s.Measured(i);
            EXPECT_TRUE(got.r == want.r && got.g == want.g && got.b == want.b) << "sticker " << i;
        }
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

    // The front face photographed twice: the message names the photo; the net is there
    // to be finished by hand, but as it stands it fails the checks.
    s.SetCheck(Check());
    s.PhotoRead(5, "b.jpg", PhotoOf(facelets, 5, 0));
    s.PhotoRead(3, "again.jpg", PhotoOf(facelets, 2, 1));
    EXPECT_TRUE(s.HasColouring());
    EXPECT_TRUE(s.MessageIsError());
    EXPECT_FALSE(s.CanConfirm());
    EXPECT_NE(s.Message().find("again.jpg"), std::string::npos) << s.Message();
    EXPECT_GT(s.DoubtCount(), 0);

    // Stickers of no cube colour at all fit no real cube: said, and marked.
    FaceSamples bad = PhotoOf(facelets, 3, 0);
    for (std::size_t i : {0u, 2u, 6u, 8u}) bad[i] = {255, 0, 255};
    s.PhotoRead(3, "d.jpg", bad);
    ASSERT_TRUE(s.HasColouring());
    EXPECT_NE(s.Message().find("拼不成一个真实的魔方"), std::string::npos) << s.Message();
    EXPECT_TRUE(s.MessageIsError());

    // Emptied: nothing read, nothing to confirm.
    s.ClearAll();
    EXPECT_EQ(s.ReadCount(), 0);
    EXPECT_FALSE(s.HasColouring());
    EXPECT_EQ(s.Slot(5).state, SlotState::Empty);
    EXPECT_EQ(s.Facelets(), "");
}

TEST_F(PhotoInput, NoRealCubeIsFinishedByHandAndSetsThePosition) {
    const std::string facelets = Scramble(13);
    const std::string scrambled = Code();
    PhotoInputState s(Check());
    LoadAll(s, facelets, 13);
    // Four corner stickers of the bottom face measure a colour no cube has.
    FaceSamples bad = PhotoOf(facelets, 3, 0);
    for (std::size_t i : {0u, 2u, 6u, 8u}) bad[i] = {255, 0, 255};
    s.PhotoRead(3, "d.jpg", bad);
    ASSERT_TRUE(s.HasColouring());
    ASSERT_NE(s.Resolution().status, ResolveStatus::Ok);
    for (int i : {27, 29, 33, 35}) EXPECT_TRUE(s.InDoubt(i) || s.Sticker(i) == facelets[static_cast<std::size_t>(i)]) << i;

    const int changed = FinishByHand(s, facelets);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(s.Facelets(), facelets);
    EXPECT_TRUE(s.CanConfirm()) << s.Fault();
    EXPECT_EQ(s.DoubtCount(), 0);
    EXPECT_NE(s.Message().find("按“确定”"), std::string::npos) << s.Message();

    // One wrong choice breaks the counts: the checks of cube input say so.
    const char wrong = facelets[27] == 'U' ? 'R' : 'U';
    EXPECT_TRUE(s.ChooseSticker(27, wrong));
    EXPECT_FALSE(s.CanConfirm());
    EXPECT_NE(s.Fault().find("色块数目错误"), std::string::npos) << s.Fault();
    EXPECT_NE(s.Message().find(s.Fault()), std::string::npos);
    EXPECT_TRUE(s.ChooseSticker(27, facelets[27]));
    ASSERT_TRUE(s.CanConfirm());

    m().ResetCube();
    m().ExecuteAndSolve();
    user.Clear();
    EXPECT_EQ(doc->ApplyPhotoColouring(s.Facelets()), 1);
    EXPECT_EQ(Code().substr(0, 66), scrambled.substr(0, 66));
}

TEST_F(PhotoInput, TwoFacesAlikeAskOneQuestionWhoseAnswerPicksTheCube) {
    const std::string read = Scramble(17);
    // The other cube the read could be: the front and back faces' colours exchanged.
    std::string other = read;
    for (std::size_t i = 0; i < other.size(); ++i)
        if (i % 9 != 4 && (other[i] == 'F' || other[i] == 'B')) other[i] = other[i] == 'F' ? 'B' : 'F';

    PhotoInputState s(Check());
    s.SetResolver([&](const std::array<FaceSamples, 6>& faces) {
        ColourResolution r = ResolveColours(faces, true);
        r.askFaceA = 2;
        r.askFaceB = 5;
        std::copy(other.begin(), other.end(), r.swappedFacelets.begin());
        return r;
    });
    LoadAll(s, read, 17);
    ASSERT_TRUE(s.HasColouring());
    EXPECT_EQ(s.QuestionFaceA(), 2);
    EXPECT_EQ(s.QuestionFaceB(), 5);
    const int q = s.QuestionSticker();
    ASSERT_GE(q, 0);
    EXPECT_NE(read[static_cast<std::size_t>(q)], other[static_cast<std::size_t>(q)]);
    EXPECT_TRUE(s.Asking());
    EXPECT_FALSE(s.CanConfirm());
    EXPECT_NE(s.Message().find("请先回答"), std::string::npos) << s.Message();
    EXPECT_FALSE(s.MessageIsError());

    // A correction made before the answer stays after it.
    int corrected = 0;
    while (corrected % 9 == 4 || corrected == q || read[static_cast<std::size_t>(corrected)] != other[static_cast<std::size_t>(corrected)])
        ++corrected;
    const char mine = read[static_cast<std::size_t>(corrected)] == 'U' ? 'D' : 'U';
    ASSERT_TRUE(s.ChooseSticker(corrected, mine));

    EXPECT_FALSE(s.AnswerQuestion(0));
    // The face whose centre has the colour the read gives the ringed sticker: the read.
    const int readFace = static_cast<int>(kFaceletLetters.find(read[static_cast<std::size_t>(q)]));
    const int otherFace = readFace == 2 ? 5 : 2;
    std::string expected = read;
    expected[static_cast<std::size_t>(corrected)] = mine;
    for (const auto& [face, cube] : {std::pair{otherFace, other}, std::pair{readFace, read}}) {
        ASSERT_TRUE(s.AnswerQuestion(face));
        EXPECT_FALSE(s.Asking());
        EXPECT_EQ(s.Answer(), face);
        std::string want = cube;
        want[static_cast<std::size_t>(corrected)] = mine;
        EXPECT_EQ(s.Facelets(), want);
    }
    EXPECT_EQ(s.Facelets(), expected);
    // The correction made the counts wrong; undone, the read passes.
    EXPECT_FALSE(s.CanConfirm());
    ASSERT_TRUE(s.ChooseSticker(corrected, read[static_cast<std::size_t>(corrected)]));
    EXPECT_TRUE(s.CanConfirm()) << s.Fault();
}

// Two stickers stuck back on each other's places: no real cube shows them, so the net
// shows them as measured, OK waits until the user has chosen their colours, and the
// line counts what is left.
TEST_F(PhotoInput, StickersNoRealCubeShowsThereAreShownAsMeasuredUntilChosen) {
    const std::string facelets = Scramble(13);
    int a = 0, b = 53;
    while (a % 9 == 4 || facelets[static_cast<std::size_t>(a)] == kFaceletLetters[static_cast<std::size_t>(a / 9)]) ++a;
    while (b % 9 == 4 || b / 9 == a / 9 || facelets[static_cast<std::size_t>(b)] == facelets[static_cast<std::size_t>(a)]) --b;
    std::string stuck = facelets;
    std::swap(stuck[static_cast<std::size_t>(a)], stuck[static_cast<std::size_t>(b)]);
    PhotoInputState s(Check());
    for (int f = 0; f < kPhotoSlotCount; ++f) s.PhotoRead(f, "face.jpg", PhotoOf(stuck, f, 0));
    ASSERT_TRUE(s.HasColouring()) << s.Message();
    ASSERT_GT(s.ContradictionsLeft(), 0) << s.Message();
    EXPECT_FALSE(s.CanConfirm());
    EXPECT_TRUE(s.MessageIsError());
    EXPECT_NE(s.Message().find("和真实魔方对不上"), std::string::npos) << s.Message();
    for (int i : {a, b}) {
        if (!s.InDoubt(i)) continue;
        EXPECT_EQ(s.Sticker(i), stuck[static_cast<std::size_t>(i)]) << "sticker " << i << " is shown as measured";
    }
    // The user puts right what the cube in hand shows.
    FinishByHand(s, facelets);
    EXPECT_EQ(s.ContradictionsLeft(), 0);
    EXPECT_TRUE(s.CanConfirm()) << s.Message();
    EXPECT_EQ(s.Facelets(), facelets);
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

TEST_F(PhotoInput, CheckingAColouringAsksNothingAndLeavesThePaintingAlone) {
    const std::string good = Scramble(21);
    // Checked in the middle of painting a net: the painting, its counts, the position
    // and the status line stay as they were.
    user.answers = {Answer::No};
    doc->OnCommand(cmd::kStartInput);
    ASSERT_EQ(m().inputMode, -1);
    user.Clear();
    m().facelets[0] = 8;
    int painted[kFaceletCount], counts[10];
    std::copy(m().facelets, m().facelets + kFaceletCount, painted);
    std::copy(m().colourCounts, m().colourCounts + 10, counts);
    const std::string before = Code();
    m().statusText.Assign("painting");

    std::string flipped = good;
    std::swap(flipped[1], flipped[46]);
    std::string counted = good;
    counted[0] = counted[0] == 'U' ? 'R' : 'U';
    const struct { const std::string& facelets; std::string fault; } cases[] = {
        {good, ""},
        {flipped, "输入魔方装配错误，至少需要调换边块的色向！"},
        {"UUU", "照片读出的颜色不完整。"},
    };
    for (const auto& c : cases) EXPECT_EQ(doc->CheckPhotoColouring(c.facelets), c.fault);
    EXPECT_NE(doc->CheckPhotoColouring(counted).find("色块数目错误！"), std::string::npos);
    EXPECT_TRUE(user.calls.empty());
    EXPECT_TRUE(std::equal(painted, painted + kFaceletCount, m().facelets));
    EXPECT_TRUE(std::equal(counts, counts + 10, m().colourCounts));
    EXPECT_EQ(Code(), before);
    EXPECT_STREQ(m().statusText.c_str(), "painting");
    EXPECT_EQ(m().inputMode, -1);
}

}  // namespace
}  // namespace velmora::test
