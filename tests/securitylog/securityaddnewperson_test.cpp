#include "camera.h"
#include "imagepickercontroller.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "sessionfixture.h"
#include "shownscreen.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

const QString kStoredPath = QStringLiteral("~/Security/PersonsImages/p12.jpg");

// The root stack starts with a stand-in for the log list; the camera plays a 64x48 picture and
// the library holds a 30x20 one.
class PersonScreenTest : public SessionTest {
protected:
    PersonScreenTest() {
        QImage still(64, 48, QImage::Format_RGB32);
        still.fill(Qt::darkCyan);
        EXPECT_TRUE(still.save(camera.filePath("person.png")));
        EXPECT_TRUE(still.scaled(30, 20).save(library.filePath("roll.png")));
        qputenv("SECLOG_CAMERA_FOLDER", QFile::encodeName(camera.path()));
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }
    ~PersonScreenTest() override {
        Camera::setFactory({});
        qunsetenv("SECLOG_CAMERA_FOLDER");
    }
    securityAddNewPerson *pushScreen() {
        auto *screen = new securityAddNewPerson();
        root->pushViewController(screen, true);
        return screen;
    }
    // An existing log open in the form, its photo stored on the server or only taken so far,
    // and the person screen opened from it.
    securityAddNewPerson *openFromLog(const QImage &unsavedPhoto = {}) {
        form = new securityLogDetailView();
        form->header->setName("Bala");
        form->header->setMobileNo("9840012345");
        form->header->setAddress("4 Canal Street");
        form->header->setDesignation("Driver");
        if (unsavedPhoto.isNull())
            form->header->setImagePath(kStoredPath);
        else
            form->header->setPhoto(unsavedPhoto);
        form->celllabelSegmentCell->setItems({"IN\n(06 Dec 02:05 PM)", "OUT"});
        root->pushViewController(form, true);
        openPersonScreen(form);
        return qobject_cast<securityAddNewPerson *>(root->topViewController());
    }
    template <typename T> T *shown() const { return qobject_cast<T *>(topmostScreen(root)); }
    // Taps the photo row, checks the question, answers it, and cancels the picker, if one
    // opens, or takes its picture (the camera's or the library's, by the source answered).
    void pickPhoto(securityAddNewPerson *screen, const QString &source, bool cancelPicker) {
        screen->cPersonImage->theimageTAP();
        auto *alert = shown<AlertController>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), "Where do you want to pick your image from ?");
        EXPECT_EQ(alert->actionTitles(), QStringList({"Take Picture", "Camera Roll", "Cancel"}));
        ASSERT_TRUE(alert->tap(source));
        if (auto *picker = shown<ImagePickerController>()) {
            if (cancelPicker)
                picker->cancel();
            else if (picker->sourceType() == ImagePickerController::SourceType::Camera)
                picker->takePicture();
            else
                picker->choosePhoto(QUrl::fromLocalFile(library.filePath("roll.png")));
            ASSERT_TRUE(QTest::qWaitFor([&] { return !root->presentedViewController(); }, 5000));
        }
        processEvents();
    }
    QStringList stackClasses() const {
        QStringList classes;
        for (ViewController *vc : root->viewControllers())
            classes.append(vc->metaObject()->className());
        return classes;
    }

    QTemporaryDir camera, library;
    Window window;
    NavigationController *root = new NavigationController(new ViewController());
    securityLogDetailView *form = nullptr;
};

struct Refusal {
    const char *name, *mobile, *person, *message;
    bool photo;
};

class PersonValidation : public PersonScreenTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PersonValidation, FirstMissingPieceIsNamedAndTheScreenStays) {
    const Refusal &c = GetParam();
    securityAddNewPerson *screen = pushScreen();
    screen->cMobileNo->setText(QString::fromUtf8(c.mobile));
    screen->cPerson->setText(QString::fromUtf8(c.person));
    if (c.photo)
        screen->cPersonImage->setTheimage(QImage(8, 8, QImage::Format_RGB32));
    screen->rightBarButtonItem()->trigger();
    processEvents();
    auto *alert = shown<AlertController>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title() + "/" + alert->message(), QString("Alert !/") + c.message);
    EXPECT_EQ(stackClasses(), QStringList({"ViewController", "securityAddNewPerson"}));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, PersonValidation,
    ::testing::Values(Refusal{"MobileEmpty", "", "Anand", "Enter Mobile No", true},
                      Refusal{"MobileWithLetters", "98400abc", "Anand", "Enter Vaild Mobile No",
                              true},
                      Refusal{"NoName", "9840012345", "", "Enter Person Name", true},
                      Refusal{"NoPhoto", "+91 98400-12345", "Anand", "Take Photo", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PersonScreenTest, DoneFromTheListMakesANewFormBelowAndFillsIt) {
    auto *screen = new securityAddNewPerson();
    screen->cPerson->setText("anand KUMAR"); // the list's search text
    root->pushViewController(screen, true);
    EXPECT_EQ(screen->cPerson->text(), "Anand Kumar");
    screen->cMobileNo->setText("+91 98400-12345");
    screen->cAddress->setText("12 Mill Road");
    screen->cDesignation->setText("Loom Fitter");
    QSignalSpy keyboard(screen->cAddress, &textFieldCell::keyboardDismissed);
    pickPhoto(screen, "Camera Roll", false);
    EXPECT_EQ(keyboard.size(), 1) << "the photo tap puts the keyboard away";
    const QImage photo = screen->cPersonImage->theimage();
    EXPECT_EQ(photo.size(), QSize(30, 20));

    screen->rightBarButtonItem()->trigger(); // "+91 98400-12345" is a valid number
    processEvents();
    EXPECT_EQ(stackClasses(), QStringList({"ViewController", "securityLogDetailView"}));
    auto *made = root->viewControllerAt<securityLogDetailView>(1);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->SecIOLog_id.isEmpty());
    const PersonDetailsView *h = made->header;
    EXPECT_EQ(QStringList({h->name(), h->mobileNo(), h->address(), h->designation()}),
              QStringList({"Anand Kumar", "+91 98400-12345", "12 Mill Road", "Loom Fitter"}));
    EXPECT_EQ(made->PersonImage, photo);
    EXPECT_TRUE(made->header->PersonimgPath().isEmpty());
    EXPECT_EQ(made->celllabelSegmentCell->items(), QStringList({"IN", "OUT"}));
}

// The form's unsaved photo travels to the screen and back with the edited texts.
TEST_F(PersonScreenTest, DoneFromAFormFillsThatForm) {
    QImage unsaved(8, 8, QImage::Format_RGB32);
    unsaved.fill(Qt::blue);
    securityAddNewPerson *screen = openFromLog(unsaved);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(QStringList({screen->cMobileNo->text(), screen->cPerson->text(),
                           screen->cAddress->text(), screen->cDesignation->text()}),
              QStringList({"9840012345", "Bala", "4 Canal Street", "Driver"}));
    EXPECT_EQ(screen->cPersonImage->theimage(), unsaved);
    screen->cPerson->setText("Bala Murugan");
    screen->cAddress->setText(QString());
    screen->AddPersonDetails();
    EXPECT_EQ(root->topViewController(), form) << "the same form, no new one";
    EXPECT_EQ(
        QStringList({form->header->name(), form->header->address(), form->header->designation()}),
        QStringList({"Bala Murugan", "", "Driver"}));
    EXPECT_EQ(form->PersonImage, unsaved);
    EXPECT_EQ(form->celllabelSegmentCell->items(), QStringList({"IN", "OUT"}));
}

// Every way the photo row can end; only a newly picked photo replaces the stored one.
struct PhotoEnding {
    const char *name;
    const char *source; // null: the photo is not tapped
    bool cancelPicker, noCamera;
    QSize picked; // empty: the stored photo stays
};

class StoredPhoto : public PersonScreenTest, public ::testing::WithParamInterface<PhotoEnding> {};

TEST_P(StoredPhoto, IsKeptUnlessANewOneIsPicked) {
    const PhotoEnding &c = GetParam();
    if (c.noCamera)
        Camera::setFactory([] { return std::unique_ptr<Camera>(); });
    securityAddNewPerson *screen = openFromLog();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->cPersonImage->imageUrl(), form->header->imageUrl());
    if (c.source)
        pickPhoto(screen, c.source, c.cancelPicker);
    if (c.noCamera) {
        auto *alert = shown<AlertController>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->message(), "No camera on this device");
        alert->tap("OK");
        processEvents();
    }
    const bool replaced = !c.picked.isEmpty();
    EXPECT_EQ(screen->cPersonImage->IsPickedImage, replaced ? "Yes" : "No");
    screen->rightBarButtonItem()->trigger();
    ASSERT_EQ(root->topViewController(), form);
    EXPECT_EQ(form->header->PersonimgPath(), replaced ? QString() : kStoredPath);
    EXPECT_EQ(form->PersonImage.size(), c.picked);
    EXPECT_EQ(form->header->photoUrl().scheme() == "image", replaced) << "the new photo shown";
}

INSTANTIATE_TEST_SUITE_P(
    Pickers, StoredPhoto,
    ::testing::Values(PhotoEnding{"NotTapped", nullptr, false, false, QSize(0, 0)},
                      PhotoEnding{"SourceQuestionCancelled", "Cancel", false, false, QSize(0, 0)},
                      PhotoEnding{"PickerCancelled", "Camera Roll", true, false, QSize(0, 0)},
                      PhotoEnding{"NoCamera", "Take Picture", false, true, QSize(0, 0)},
                      PhotoEnding{"Camera", "Take Picture", false, false, QSize(64, 48)},
                      PhotoEnding{"Library", "Camera Roll", false, false, QSize(30, 20)}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(PersonScreenTest, DesignationPickerAsksForDesignationsAndKeepsTypedText) {
    securityAddNewPerson *screen = pushScreen();
    for (int row : {0, 1, 2, 3}) // the other rows open nothing
        screen->didSelectRow(0, row);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    for (const char *typed : {"", "Loom Fitter"}) {
        screen->didSelectRow(0, securityAddNewPerson::DesignationRow);
        auto *picker = shown<comboBox>();
        ASSERT_NE(picker, nullptr);
        ASSERT_EQ(net->sent.size(), 1);
        EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/sp");
        const QVariantMap body = net->sent[0].json();
        EXPECT_EQ(body.value("SPName").toString(), "USP_GetSecurityLogBySearchText");
        ASSERT_EQ(body.value("JSONData").typeId(), QMetaType::QString) << "sent as JSON text";
        EXPECT_EQ(QJsonDocument::fromJson(body.value("JSONData").toString().toUtf8()).toVariant(),
                  QVariant(QVariantMap{{"SearchBy", "Sec_Designation"}}));
        net->replyLast(QVariantList{QVariantMap{{"Designation", "Driver"}},
                                    QVariantMap{{"Designation", "Supervisor"}}});
        net->sent.clear();
        processEvents();
        if (*typed) { // a designation the list does not have is kept as typed
            picker->setSearchText(typed);
            picker->rightBarButtonItem()->trigger();
        } else {
            picker->didSelectRow(0, 1);
        }
        processEvents();
        EXPECT_EQ(screen->cDesignation->text(), *typed ? typed : "Supervisor");
        EXPECT_EQ(root->presentedViewController(), nullptr);
    }
}

} // namespace
