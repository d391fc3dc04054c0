#pragma once
#include "platform/fake/FakeServices.h"
#include "platform/qt/QtControls.h"
#include "platform/qt/QtToolkit.h"
#include "richtext/CSuperTextC.h"

#include <gtest/gtest.h>

namespace richtext::testing {

// An engine on a real form, with picture holders and edit boxes on it.
struct QtEngine {
    platform::qt::QtToolkit toolkit;
    platform::fake::FakeApplication application;
    platform::fake::FakeMessageBoxes messages;
    platform::qt::QtForm form;
    CSuperTextC::PictureSet images{toolkit.createPictureBox(form), [this](platform::PictureBox&) {
                                       return toolkit.createPictureBox(form);
                                   }};
    CSuperTextC::PictureSet masks{toolkit.createPictureBox(form), [this](platform::PictureBox&) {
                                      return toolkit.createPictureBox(form);
                                  }};
    CSuperTextC::EditSet edits{toolkit.createEditBox(form), [this](platform::EditBox&) {
                                   return toolkit.createEditBox(form);
                               }};
    CSuperTextC engine{toolkit, application, messages};

    explicit QtEngine(int width)
    {
        application.realFileSystem = true;
        form.setGeometry(0, 0, width, 400);
        EXPECT_TRUE(engine.InitProc(form, 0, 0, width, 400));
        engine.SetObject(&images, &masks, &edits);
    }
};

} // namespace richtext::testing
