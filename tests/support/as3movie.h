#pragma once

#include "tools/swfgen/swfwriter.h"

#include <QByteArray>
#include <QStringList>

// ActionScript 3 movies for tests: a document class whose frame scripts do what swfgen::Action
// says (added with addFrameScript, as the authoring tool does), or a Sprite document class,
// which leaves the movie without a timeline.
namespace as3gen {

struct Scene {
    QByteArray name;
    int firstFrame = 0; // 0-based
};

struct As3Movie {
    std::map<int, std::vector<swfgen::Action>> frameScripts; // by 1-based frame
    bool spriteDocument = false;
    std::vector<Scene> scenes; // none: one scene
};

// The tags to put at the start of frame 1 (MovieSpec::extraTags[1]) of a MovieSpec with
// actionScript3 set and version 9 or later.
std::vector<QByteArray> FrameOneTags(const As3Movie& movie);

} // namespace as3gen
