#include <gtest/gtest.h>

#include "fighter/fighter.h"
#include "particles/partInfoList.h"
#include "particles/particle.h"
#include "particles/particleList.h"
#include "platform/manualClock.h"
#include "tests/particleData.h"
#include "tests/testSupport.h"

using namespace testsupport;
using particledata::ParticleSpec;

namespace {

// A 20x30 frame anchored off-centre, so that the mirrored anchor (16) differs from the
// unmirrored one (4) and a placement that ignores facing shows.
FrameSpec particleFrame(int moveX = 0) {
    FrameSpec f;
    f.anchorX = 4;
    f.anchorY = 29;
    f.moveX = moveX;
    f.damage = 7;
    f.hitType = 2;
    return f;
}

class ParticleTest : public ::testing::Test {
protected:
    void SetUp() override { screen = videoScreen(); }

    // Writes the kinds and loads them as the game does.
    void load(std::vector<ParticleSpec> kinds) {
        particledata::writeParticles(dir.path(), kinds);
        log = captureStdout([&] { ASSERT_EQ(1, defs.addList("default", screen, dir.path())); });
    }
    // Anchor of a particle on screen, for its facing.
    static std::pair<int, int> anchorOf(const particle& p) {
        const frameInfo* f = p.sprite.base->frameAt(p.sprite.frame, p.facingRight);
        const frameInfo* u = p.sprite.base->frameAt(p.sprite.frame, true);
        return {p.sprite.x + f->anchorX, p.sprite.y + u->anchorY};
    }
    particle* spawn(particleList& list, const std::string& entry, Fighter* owner = nullptr,
                    int time = 0) {
        captureStdout([&] { list.addParticle(entry, owner, nullptr, &defs, screen, time); });
        return list.head ? list.head->part : nullptr;
    }

    ManualClock clock{0};
    SDL_Surface* screen = nullptr;
    TempDir dir;
    partInfoList defs;
    std::string log;
};

} // namespace

TEST_F(ParticleTest, DefinitionsAreFoundNewestFirstAndExactly) {
    ParticleSpec one{"fireball1"};
    one.lifetime = 700;
    ParticleSpec spark{"spark"};
    particledata::writeParticles(dir.path(), {one, spark});
    // The same name a second time, and a line with only a name.
    writeFile(dir / "particle/default", "PARTS: 3\nfireball1 5\nspark\nfireball1 9 extra\n");
    log = captureStdout([&] { defs.addList("default", screen, dir.path()); });
    EXPECT_EQ(3, defs.size());

    particleInfo* found = nullptr;
    captureStdout([&] { found = defs.findParticle("fireball1"); });
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(9, found->listNumber); // the later line wins
    EXPECT_EQ(700, found->lifetime);
    EXPECT_EQ(1, found->sheet->frameCount);
    captureStdout([&] { found = defs.findParticle("spark"); });
    ASSERT_NE(nullptr, found);
    EXPECT_EQ(0, found->listNumber);
    for (const char* wrong : {"Fireball1", "fireball", ""}) {
        captureStdout([&] { found = defs.findParticle(wrong); });
        EXPECT_EQ(nullptr, found) << wrong;
    }
}

TEST_F(ParticleTest, DefinitionFileBlocksFlagsAndHostileCounts) {
    ParticleSpec kinds[4] = {{"a"}, {"b"}, {"c"}, {"d"}};
    particledata::writeParticles(dir.path(), {kinds[0], kinds[1], kinds[2], kinds[3]});
    // OnDeath count 0: the next line is the OnHitPlayer count. CR LF line ends.
    writeFile(dir / "particle/a/particle",
              "128\r\n500\r\n1\r\n2\r\n1\r\n0\r\n2\r\nspark 10 -5\r\nspark 1 1\r\n0\r\n0\r\n0\r\n");
    // Counts beyond the file and below zero; a gravity of 2 is not 1.
    writeFile(dir / "particle/b/particle", "255\n0\n2\n0\n0\n2147483647\nspark 1 2\n");
    writeFile(dir / "particle/c/particle", "255\nlong\n1\n0\n0\n-1\n-7\n");
    // No definition file at all.
    std::remove((dir / "particle/d/particle").c_str());
    log = captureStdout([&] { defs.addList("default", screen, dir.path()); });

    particleInfo *a = nullptr, *b = nullptr, *c = nullptr, *d = nullptr;
    captureStdout([&] {
        a = defs.findParticle("a");
        b = defs.findParticle("b");
        c = defs.findParticle("c");
        d = defs.findParticle("d");
    });
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(128, a->alpha);
    EXPECT_EQ(500, a->lifetime);
    EXPECT_TRUE(a->hasGravity);
    EXPECT_FALSE(a->spareFlag1);
    EXPECT_TRUE(a->spareFlag2);
    EXPECT_EQ(0, a->deathCount);
    EXPECT_TRUE(a->deathParts.empty());
    ASSERT_EQ(2, a->hitPlayerCount);
    EXPECT_EQ("spark 10 -5\r\n", a->hitPlayerParts[0]); // kept whole, line end included

    ASSERT_NE(nullptr, b);
    EXPECT_FALSE(b->hasGravity);
    EXPECT_EQ(1, b->deathCount); // what the file held, not what it announced
    EXPECT_EQ(0, b->hitPlayerCount);

    ASSERT_NE(nullptr, c);
    EXPECT_EQ(0, c->lifetime); // not a number: left as it was
    EXPECT_TRUE(c->deathParts.empty());
    EXPECT_TRUE(c->hitPlayerParts.empty());

    // A kind whose file is missing stays in the list, with its sheet.
    ASSERT_NE(nullptr, d);
    EXPECT_EQ(1, d->sheet->frameCount);
    EXPECT_NE(std::string::npos, log.find("ERROR opening file " + dir.path() +
                                          "/particle/d/particle\n\nFAIL PARTICLE"))
        << log;
}

TEST_F(ParticleTest, ListFilesThatAreMissingEmptyOrLie) {
    std::string out =
        captureStdout([&] { EXPECT_EQ(-1, defs.addList("nothing", screen, dir.path())); });
    EXPECT_EQ("ERROR opening file " + dir.path() + "/particle/nothing\n\n", out);

    writeFile(dir / "particle/none", "PARTS: 0\n");
    writeFile(dir / "particle/garbage", "\x01\x02 PARTS 12\n");
    writeFile(dir / "particle/negative", "PARTS: -1\nx 1\n");
    captureStdout([&] {
        EXPECT_EQ(1, defs.addList("none", screen, dir.path()));
        EXPECT_EQ(1, defs.addList("garbage", screen, dir.path()));
        EXPECT_EQ(1, defs.addList("negative", screen, dir.path()));
    });
    EXPECT_EQ(0, defs.size());

    particledata::writeParticles(dir.path(), {{"only"}});
    writeFile(dir / "particle/huge", "PARTS:2147483647\nonly 3\n");
    captureStdout([&] { defs.addList("huge", screen, dir.path()); });
    EXPECT_EQ(1, defs.size());
}

TEST_F(ParticleTest, SpawnPlacesTheAnchorByOwnerOrParentAndFacing) {
    load({{"p", {particleFrame()}}});
    Fighter owner;
    owner.x = 100;
    owner.y = 400;
    owner.facingRight = true;
    particleList list;
    particle* p = spawn(list, "p 30 40\n", &owner);
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->facingRight);
    EXPECT_EQ(std::make_pair(130, 360), anchorOf(*p));
    EXPECT_EQ(&owner, p->owner);

    owner.facingRight = false;
    p = spawn(list, "p 30 40\n", &owner);
    EXPECT_FALSE(p->facingRight);
    EXPECT_EQ(std::make_pair(70, 360), anchorOf(*p));

    // From a parent sprite: measured from its corner, and a positive y is downward.
    CSprite parent;
    parent.x = 200;
    parent.y = 300;
    captureStdout([&] { list.addParticleD("p 10 5\n", false, &parent, &defs, screen, 0); });
    p = list.head->part;
    EXPECT_EQ(std::make_pair(190, 305), anchorOf(*p));
    EXPECT_EQ(nullptr, p->sourceSprite);

    // Missing offsets read as 0; without owner or parent the offsets are the place.
    p = spawn(list, "p\n");
    EXPECT_EQ(std::make_pair(0, 0), anchorOf(*p));
    EXPECT_EQ(4, list.count());
}

TEST_F(ParticleTest, LifetimeGravityAndThePlayArea) {
    ParticleSpec timed{"timed", {particleFrame()}};
    timed.lifetime = 500;
    ParticleSpec falling{"falling", {particleFrame()}};
    falling.gravity = 1;
    ParticleSpec forever{"forever", {particleFrame()}};
    load({timed, falling, forever});
    particleList list;

    particle* p = spawn(list, "timed 100 100\n", nullptr, 1000);
    clock.set(1500);
    captureStdout([&] { p->update(); });
    EXPECT_FALSE(p->dead);
    clock.set(1501);
    captureStdout([&] { p->update(); });
    EXPECT_TRUE(p->dead);
    EXPECT_EQ("NULL", p->event); // no OnDeath entries, no event

    // frame 0's low edge is its body's bottom, 29 below the corner.
    p = spawn(list, "falling 100 100\n");
    p->sprite.y = 529 - 29;
    p->update();
    EXPECT_EQ(531, p->sprite.y + 29);
    p->update();
    EXPECT_EQ(530, p->sprite.y + 29);
    p->update();
    EXPECT_EQ(530, p->sprite.y + 29);
    EXPECT_FALSE(p->dead);

    clock.set(1000000); // no lifetime: time alone never ends it
    for (int x : {880, -80, 881, -81}) {
        p = spawn(list, "forever 0 0\n");
        p->sprite.x = x;
        p->update();
        EXPECT_EQ(x == 881 || x == -81, p->dead) << x;
    }
}

TEST_F(ParticleTest, ExpiryBurstsIntoItsDeathEntriesAtTheParentsPlace) {
    ParticleSpec fireball{"fireball", {particleFrame(5)}};
    fireball.lifetime = 100;
    fireball.onDeath = {"spark 10 5", "spark -3 7"};
    ParticleSpec dud{"dud", {particleFrame()}};
    dud.lifetime = 100;
    dud.onDeath = {"NULL 0 0", "spark 1 1"};
    load({fireball, {"spark", {particleFrame()}}, dud});
    particleList list;
    Fighter owner;
    owner.x = 300;
    owner.y = 400;
    owner.facingRight = false;
    particle* parent = spawn(list, "fireball 0 0\n", &owner, 0);
    clock.set(101);
    captureStdout([&] { list.update(); });
    // The parent moved 5 left before it expired; its children stand in front of the
    // list, newest first, measured from its corner with its direction.
    int cornerX = 300 - 16 - 5;
    int cornerY = 400 - 29;
    ASSERT_EQ(2, list.count());
    particle* second = list.head->part;
    particle* first = list.head->next->part;
    EXPECT_NE(parent, first);
    EXPECT_FALSE(first->facingRight);
    EXPECT_EQ(std::make_pair(cornerX - 10, cornerY + 5), anchorOf(*first));
    EXPECT_EQ(std::make_pair(cornerX + 3, cornerY + 7), anchorOf(*second));

    // A first entry of "NULL" ends the particle with no event at all.
    particleList quiet;
    particle* d = spawn(quiet, "dud 0 0\n", nullptr, 0);
    captureStdout([&] { d->update(); });
    EXPECT_TRUE(d->dead);
    EXPECT_EQ("NULL", d->event);
    std::string out = captureStdout([&] { quiet.update(); });
    EXPECT_EQ(0, quiet.count());
    EXPECT_EQ(std::string::npos, out.find("pNum")) << out;

    // Questions the game never asks get empty answers, not a read outside the list.
    particle* s = list.head->part;
    EXPECT_EQ(0, s->getPartNum("OnSomething"));
    EXPECT_EQ("", s->getNewPart("OnSomething", 0));
    captureStdout([&] { EXPECT_EQ("", s->getNewPart("OnDeath", 3)); });
}

// Particles that never die (no lifetime, no step) fill the list up to its cap; the
// spawns of dying particles are dropped from then on, with one warning, but a fighter's
// frame still gets its fireball, and it flies.
TEST_F(ParticleTest, ParticlesThatNeverDieLeaveAFighterItsFireball) {
    ParticleSpec still{"still", {particleFrame()}};
    ParticleSpec fireball{"fireball", {particleFrame(5)}};
    load({still, fireball});
    particleList list;
    CSprite parent;
    std::string err = captureStderr([&] {
        captureStdout([&] {
            for (int i = 0; i <= particleList::kCap + 1; ++i)
                list.addParticleD("still 0 0\n", true, &parent, &defs, screen, 0);
        });
    });
    EXPECT_EQ(particleList::kCap, list.count());
    EXPECT_EQ(0u, err.find("brawler: warning: the particle list is full (256 particles spawned "
                           "by particles): \"still\" and every spawn of a dying particle"));
    EXPECT_EQ(err.find('\n'), err.size() - 1) << "one warning";

    Fighter owner;
    owner.x = 300;
    owner.y = 400;
    owner.facingRight = true;
    particle* shot = spawn(list, "fireball 0 0\n", &owner);
    ASSERT_EQ(particleList::kCap + 1, list.count());
    int x = shot->sprite.x;
    captureStdout([&] { list.update(); });
    EXPECT_EQ(x + 5, shot->sprite.x);
}
