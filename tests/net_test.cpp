#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "net/inputExchange.h"
#include "net/netMessage.h"
#include "shell/onlineSetup.h"

namespace {

inputFrame held(uint8_t bits, uint8_t press = 0) {
    inputFrame f;
    f.held = bits;
    if (press)
        f.press(press);
    return f;
}

inputsMessage framesFrom(long first, const std::vector<inputFrame>& frames, long ack = 0) {
    inputsMessage m;
    m.first = static_cast<uint32_t>(first);
    m.frames = frames;
    m.ack = static_cast<uint32_t>(ack);
    return m;
}

bool decodes(const std::string& bytes, inputsMessage& m) {
    return decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), m);
}

} // namespace

// The peer's frames: confirmed as they come, in order, each once; a prediction holds
// what was last held and presses nothing; a message that reaches where no honest peer's
// can is refused whole.
TEST(InputExchange, ConfirmsInOrderPredictsHeldKeysAndRefusesWhatNoPeerSends) {
    inputExchange x;
    x.reset(2);
    EXPECT_EQ(2, x.localEnd()); // the delayed steps are empty frames, sent like the rest
    EXPECT_EQ(inputFrame{}, x.remote(0));

    long firstNew = -1;
    inputFrame rightAndJab = held(inputFrame::right, inputFrame::buttonA);
    ASSERT_TRUE(x.take(framesFrom(0, {held(0), rightAndJab}), firstNew));
    EXPECT_EQ(0, firstNew);
    EXPECT_EQ(2, x.remoteEnd());
    EXPECT_EQ(rightAndJab, x.remote(1));
    // Predicted: right still held, the jab not pressed again.
    EXPECT_EQ(held(inputFrame::right), x.remote(2));
    EXPECT_EQ(held(inputFrame::right), x.remote(40));

    // A repeat of what came, overlapping new frames: only the new ones count.
    ASSERT_TRUE(x.take(framesFrom(1, {rightAndJab, held(inputFrame::down)}), firstNew));
    EXPECT_EQ(2, firstNew);
    EXPECT_EQ(held(inputFrame::down), x.remote(2));
    ASSERT_TRUE(x.take(framesFrom(0, {held(0)}), firstNew));
    EXPECT_EQ(-1, firstNew);

    // A gap, an acknowledgement of frames never sent, frames far beyond reach.
    EXPECT_FALSE(x.take(framesFrom(5, {held(0)}), firstNew));
    EXPECT_FALSE(x.take(framesFrom(3, {}, 99), firstNew));
    EXPECT_FALSE(x.take(framesFrom(3, std::vector<inputFrame>(kMostFrames + 1)), firstNew));
    EXPECT_EQ(3, x.remoteEnd());
    EXPECT_EQ(0, x.peerAck());
}

// What goes out: every own frame the peer has not acknowledged, at most a message's
// worth, with this side's acknowledgement; the bytes read back the same.
TEST(InputExchange, SendsEveryUnacknowledgedFrameAndReadsItBack) {
    inputExchange x;
    x.reset(0);
    for (int i = 0; i < 100; ++i)
        x.addLocal(held(static_cast<uint8_t>(i % 16), i % 3 ? 0 : inputFrame::buttonB));
    long firstNew = -1;
    ASSERT_TRUE(x.take(framesFrom(0, {held(0), held(0), held(0)}, 30), firstNew));
    inputsMessage out = x.outgoing(57);
    EXPECT_EQ(30u, out.first);
    EXPECT_EQ(3u, out.ack);
    EXPECT_EQ(57u, out.at);
    ASSERT_EQ(static_cast<size_t>(kMostFrames), out.frames.size());
    inputsMessage back;
    ASSERT_TRUE(decodes(encode(out), back));
    EXPECT_EQ(out.first, back.first);
    for (size_t i = 0; i < out.frames.size(); ++i)
        EXPECT_EQ(x.local(30 + static_cast<long>(i)), back.frames[i]) << i;
}

// Every message refuses bytes it did not write: cut short, with bytes left over, counts
// past their bounds, presses no hand makes.
TEST(NetMessage, RefusesCutLongAndOutOfBoundsBytes) {
    std::string good = encode(framesFrom(4, {held(1, inputFrame::buttonC), held(2)}, 3));
    inputsMessage m;
    ASSERT_TRUE(decodes(good, m));
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_FALSE(decodes(good.substr(0, cut), m)) << cut;
    EXPECT_FALSE(decodes(good + "x", m));
    std::string badPress = good;
    badPress[good.size() - 3] = 3; // two bits in one press
    EXPECT_FALSE(decodes(badPress, m));
    std::string tooMany = good;
    tooMany[15] = static_cast<char>(kMostFrames + 1);
    EXPECT_FALSE(decodes(tooMany, m));
    // Nine presses in one step are more than hands make in 11 ms.
    std::string nine = encode(framesFrom(0, {held(0)}));
    nine.back() = 9;
    nine += std::string(9, static_cast<char>(inputFrame::buttonA));
    EXPECT_FALSE(decodes(nine, m));
    std::string farStep = encode(framesFrom(kMostStep, {held(0)}));
    EXPECT_FALSE(decodes(farStep, m));

    desyncMessage d;
    std::string dump = encode(desyncMessage{30, "player.hp 1000\n"});
    dump[5] = 99; // a length the bytes do not hold
    EXPECT_FALSE(decode(reinterpret_cast<const uint8_t*>(dump.data()), dump.size(), d));
    startMessage s;
    s.rounds = 4; // even: no match is best of four
    std::string even = encode(s);
    EXPECT_FALSE(decode(reinterpret_cast<const uint8_t*>(even.data()), even.size(), s));
    // The host's round time reaches the other side; a time no match has does not.
    s.rounds = 5;
    s.roundSeconds = 60;
    std::string timed = encode(s);
    startMessage got;
    ASSERT_TRUE(decode(reinterpret_cast<const uint8_t*>(timed.data()), timed.size(), got));
    EXPECT_EQ(60, got.roundSeconds);
    timed.back() = 45;
    EXPECT_FALSE(decode(reinterpret_cast<const uint8_t*>(timed.data()), timed.size(), got));
    EXPECT_EQ(netType::none, messageType(reinterpret_cast<const uint8_t*>("\x0a"), 1));
}

// Two games play together only with the same version and the same data; otherwise both
// sides are told what differs, the character by name.
TEST(OnlineSetup, RefusesAnotherVersionOrOtherDataNamingWhatDiffers) {
    helloMessage host;
    host.game = "brawler 1.1";
    host.data = "aaaa";
    host.characters = {{"Basalt", "b1"}, {"Brawler", "r1"}};
    host.character = "Basalt";
    helloMessage joiner = host;
    joiner.character = "Brawler";
    EXPECT_EQ("", onlineSetup::whyNot(host, joiner));

    helloMessage old = joiner;
    old.game = "brawler 1.0";
    EXPECT_EQ("the host's game is \"brawler 1.1\", the joining game \"brawler 1.0\"",
              onlineSetup::whyNot(host, old));
    helloMessage changed = joiner;
    changed.characters[0].fingerprint = "b2";
    changed.data = "bbbb";
    EXPECT_EQ("the character \"Basalt\" differs between the two data folders",
              onlineSetup::whyNot(host, changed));
    helloMessage stranger = joiner;
    stranger.character = "Ghost";
    EXPECT_EQ("no character \"Ghost\" in the host's data folder",
              onlineSetup::whyNot(host, stranger));
    helloMessage stage = joiner;
    stage.data = "cccc";
    EXPECT_NE(std::string::npos, onlineSetup::whyNot(host, stage).find("outside the characters"));
}
