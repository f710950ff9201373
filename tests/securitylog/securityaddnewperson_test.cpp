#include "alertcontroller.h"
#include "camera.h"
#include "combobox.h"
#include "imagepickercontroller.h"
#include "imagepickerfunc.h"
#include "navigationcontroller.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "sessionfixture.h"
#include "window.h"

#include <functional>
#include <QJsonDocument>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

using Source = ImagePickerController::SourceType;

const QString kStoredPath = QStringLiteral("~/Security/PersonsImages/p12.jpg");

// A window whose root stack starts with a stand-in for the log list; the camera plays one
// picture from a folder and the photo library holds another.
class PersonScreenTest : public SessionTest {
protected:
    PersonScreenTest() {
        QImage still(64, 48, QImage::Format_RGB32);
        still.fill(Qt::darkCyan);
        EXPECT_TRUE(still.save(camera.filePath("person.png")));
        still.scaled(30, 20).save(library.filePath("roll.png"));
        qputenv("SECLOG_CAMERA_FOLDER", QFile::encodeName(camera.path()));
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }
    ~PersonScreenTest() override {
        Camera::setFactory({});
        qunsetenv("SECLOG_CAMERA_FOLDER");
    }

    // The list's "Add New Person ?": the screen pushed over it.
    securityAddNewPerson *pushNewPerson() {
        auto *screen = new securityAddNewPerson();
        root->pushViewController(screen, true);
        return screen;
    }
    // An existing log open in the form, its photo stored on the server.
    securityLogDetailView *pushStoredLog() {
        auto *form = new securityLogDetailView();
        form->header->setName(QStringLiteral("Bala"));
        form->header->setMobileNo(QStringLiteral("9840012345"));
        form->header->setAddress(QStringLiteral("4 Canal Street"));
        form->header->setDesignation(QStringLiteral("Driver"));
        form->header->setImagePath(kStoredPath);
        form->celllabelSegmentCell->setItems(
            {QStringLiteral("IN\n(06 Dec 02:05 PM)"), QStringLiteral("OUT")});
        root->pushViewController(form, true);
        return form;
    }
    void fillValid(securityAddNewPerson *screen) {
        screen->cMobileNo->setText(QStringLiteral("+91 98400-12345"));
        screen->cPerson->setText(QStringLiteral("Anand"));
        screen->cPersonImage->setTheimage(picture(Qt::red));
    }
    static QImage picture(Qt::GlobalColor colour) {
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    }
    template <typename T> T *presented() const {
        return qobject_cast<T *>(root->presentedViewController());
    }
    ImagePickerController *shownPicker() const {
        auto *nav = presented<NavigationController>();
        return nav ? nav->viewControllerAt<ImagePickerController>(0) : nullptr;
    }
    // Taps the photo row, answers the source question and ends the picker as `act` says.
    void pickPhoto(securityAddNewPerson *screen, const QString &source,
                   const std::function<void(ImagePickerController *)> &act) {
        screen->cPersonImage->theimageTAP();
        auto *alert = presented<AlertController>();
        ASSERT_NE(alert, nullptr);
        ASSERT_TRUE(alert->tap(source));
        if (ImagePickerController *picker = shownPicker()) {
            act(picker);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !root->presentedViewController(); }, 5000));
        }
        processEvents();
    }
    QUrl libraryFile() const { return QUrl::fromLocalFile(library.filePath("roll.png")); }
    QStringList stackTitles() const {
        QStringList titles;
        for (ViewController *vc : root->viewControllers())
            titles.append(vc->metaObject()->className());
        return titles;
    }

    QTemporaryDir camera, library;
    Window window;
    NavigationController *root = new NavigationController(new ViewController());
};

// ---- validation

struct Refusal {
    const char *name;
    const char *mobile; // null: never typed
    const char *person;
    bool photo;
    const char *message; // empty: taken
};

class PersonValidation : public PersonScreenTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(PersonValidation, FirstMissingPieceIsNamedAndTheScreenStays) {
    const Refusal &c = GetParam();
    QPointer<securityAddNewPerson> screen = pushNewPerson();
    if (c.mobile)
        screen->cMobileNo->setText(QString::fromUtf8(c.mobile));
    if (c.person)
        screen->cPerson->setText(QString::fromUtf8(c.person));
    if (c.photo)
        screen->cPersonImage->setTheimage(picture(Qt::red));
    ASSERT_NE(screen->rightBarButtonItem(), nullptr);
    EXPECT_EQ(screen->rightBarButtonItem()->systemItem(), "done");
    screen->rightBarButtonItem()->trigger();
    processEvents();
    if (QLatin1String(c.message).isEmpty()) {
        EXPECT_EQ(stackTitles(), QStringList({"ViewController", "securityLogDetailView"}));
        EXPECT_TRUE(screen.isNull());
        return;
    }
    auto *alert = presented<AlertController>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Alert !");
    EXPECT_EQ(alert->message(), QString::fromUtf8(c.message));
    EXPECT_EQ(root->topViewController(), screen.data());
    EXPECT_EQ(root->viewControllers().size(), 2) << "no form made for a refused person";
}

INSTANTIATE_TEST_SUITE_P(
    Checks, PersonValidation,
    ::testing::Values(
        Refusal{"NothingTyped", nullptr, nullptr, false, "Enter Mobile No"},
        Refusal{"MobileCleared", "", "Anand", true, "Enter Mobile No"},
        Refusal{"MobileWithLetters", "98400abc", "Anand", true, "Enter Vaild Mobile No"},
        Refusal{"MobileWithADot", "98400.12345", "Anand", true, "Enter Vaild Mobile No"},
        Refusal{"NoName", "+91 98400-12345", nullptr, true, "Enter Person Name"},
        Refusal{"EmptyName", "9840012345", "", true, "Enter Person Name"},
        Refusal{"NoPhoto", "+91 98400-12345", "Anand", false, "Take Photo"},
        Refusal{"Complete", "+91 98400-12345", "Anand", true, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- Done

TEST_F(PersonScreenTest, DoneFromTheListMakesANewFormBelowAndFillsIt) {
    QPointer<securityAddNewPerson> screen = new securityAddNewPerson();
    screen->cPerson->setText(QStringLiteral("anand KUMAR")); // the list's search text
    root->pushViewController(screen, true);
    EXPECT_EQ(screen->title(), "Person Details");
    EXPECT_EQ(screen->cPerson->text(), "Anand Kumar");
    EXPECT_TRUE(screen->cMobileNo->numberPad);
    EXPECT_EQ(screen->numberOfRows(0), 5);
    const QStringList classes{"secPersonImageCell", "textFieldCell", "textFieldCell",
                              "textFieldCell", "labelCell"};
    const QStringList titles{"", "Mobile No", "Person", "Address", "Designation"};
    for (int row = 0; row < 5; ++row) {
        const QVariantMap cell = screen->cellForRow(0, row);
        EXPECT_EQ(cell.value("cellClass").toString(), classes[row]);
        EXPECT_EQ(qobject_cast<FormCell *>(cell.value("cell").value<QObject *>())->title(),
                  titles[row]);
    }
    EXPECT_EQ(screen->heightForRow(0, 0), 200);

    screen->cMobileNo->setText(QStringLiteral("+91 98400-12345"));
    screen->cAddress->setText(QStringLiteral("12 Mill Road"));
    screen->cDesignation->setText(QStringLiteral("Loom Fitter"));
    pickPhoto(screen, "Camera Roll",
              [this](ImagePickerController *picker) { picker->choosePhoto(libraryFile()); });
    ASSERT_EQ(screen->cPersonImage->IsPickedImage, "Yes");
    const QImage photo = screen->cPersonImage->theimage();
    EXPECT_EQ(photo.size(), QSize(30, 20));

    screen->AddPersonDetails();
    EXPECT_EQ(stackTitles(), QStringList({"ViewController", "securityLogDetailView"}));
    auto *form = root->viewControllerAt<securityLogDetailView>(1);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), "New Security Log");
    EXPECT_TRUE(form->SecIOLog_id.isEmpty());
    EXPECT_EQ(form->header->name(), "Anand Kumar");
    EXPECT_EQ(form->header->mobileNo(), "+91 98400-12345");
    EXPECT_EQ(form->header->address(), "12 Mill Road");
    EXPECT_EQ(form->header->designation(), "Loom Fitter");
    EXPECT_EQ(form->header->photo(), photo);
    EXPECT_EQ(form->PersonImage, photo);
    EXPECT_TRUE(form->header->PersonimgPath().isEmpty());
    EXPECT_EQ(form->header->photoUrl().scheme(), "image") << "the new photo is shown";
    EXPECT_EQ(form->celllabelSegmentCell->items(), QStringList({"IN", "OUT"}));
    EXPECT_TRUE(form->isBeingShown());
    processEvents();
    EXPECT_TRUE(screen.isNull());
}

TEST_F(PersonScreenTest, DoneFromAFormFillsThatFormAndSwitchTitles) {
    securityLogDetailView *form = pushStoredLog();
    openPersonScreen(form);
    auto *screen = qobject_cast<securityAddNewPerson *>(root->topViewController());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->cMobileNo->text(), "9840012345");
    EXPECT_EQ(screen->cPerson->text(), "Bala");
    EXPECT_EQ(screen->cAddress->text(), "4 Canal Street");
    EXPECT_EQ(screen->cDesignation->text(), "Driver");
    EXPECT_EQ(screen->cPersonImage->storedImagePath(), kStoredPath);
    EXPECT_EQ(screen->cPersonImage->imageUrl(), form->header->imageUrl());
    EXPECT_FALSE(screen->cPersonImage->imageBackgroundColor().isValid())
        << "a stored photo gets no empty-frame background";

    screen->cPerson->setText(QStringLiteral("Bala Murugan"));
    screen->cAddress->setText(QString());
    screen->AddPersonDetails();
    EXPECT_EQ(root->viewControllers().size(), 2);
    EXPECT_EQ(root->topViewController(), form) << "the same form, no new one";
    EXPECT_EQ(form->header->name(), "Bala Murugan");
    EXPECT_EQ(form->header->address(), "");
    EXPECT_EQ(form->header->designation(), "Driver");
    EXPECT_EQ(form->celllabelSegmentCell->items(), QStringList({"IN", "OUT"}));
}

TEST_F(PersonScreenTest, AFormPhotoTakenHereTravelsBackAndForth) {
    securityLogDetailView *form = pushStoredLog();
    const QImage earlier = picture(Qt::blue);
    form->header->clearStoredPhotoPath();
    form->header->setPhoto(earlier);
    openPersonScreen(form);
    auto *screen = qobject_cast<securityAddNewPerson *>(root->topViewController());
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->cPersonImage->theimage(), earlier);
    EXPECT_EQ(screen->cPersonImage->imageBackgroundColor(), QColor::fromRgbF(0.95f, 0.95f, 0.95f));
    EXPECT_EQ(screen->cPersonImage->IsPickedImage, "No");
    screen->AddPersonDetails();
    EXPECT_EQ(root->topViewController(), form);
    EXPECT_EQ(form->PersonImage, earlier);
    EXPECT_EQ(form->header->photo(), earlier);
    EXPECT_TRUE(form->header->hasPhoto());
}

// A stored photo stays stored unless a new one was picked on the person screen.
struct PhotoChange {
    const char *name;
    const char *source; // the answer to the source question; null: the photo is not tapped
    std::function<void(ImagePickerController *, const QUrl &)> act;
    bool noCamera;
    bool replaced;
};

class StoredPhoto : public PersonScreenTest, public ::testing::WithParamInterface<PhotoChange> {};

TEST_P(StoredPhoto, IsKeptUnlessANewOneIsPicked) {
    const PhotoChange &c = GetParam();
    if (c.noCamera)
        Camera::setFactory([] { return std::unique_ptr<Camera>(); });
    securityLogDetailView *form = pushStoredLog();
    openPersonScreen(form);
    auto *screen = qobject_cast<securityAddNewPerson *>(root->topViewController());
    ASSERT_NE(screen, nullptr);
    if (c.source)
        pickPhoto(screen, c.source, [&](ImagePickerController *p) { c.act(p, libraryFile()); });
    if (c.noCamera) {
        auto *alert = presented<AlertController>();
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->message(), "No camera on this device");
        alert->tap("OK");
        processEvents();
    }
    EXPECT_EQ(screen->cPersonImage->IsPickedImage, c.replaced ? "Yes" : "No");
    EXPECT_EQ(screen->cPersonImage->imageChanged, c.replaced);
    EXPECT_EQ(screen->cPersonImage->imageBackgroundColor(),
              c.replaced ? QColor(48, 48, 48) : QColor());
    screen->rightBarButtonItem()->trigger();
    ASSERT_EQ(root->topViewController(), form);
    EXPECT_EQ(form->header->PersonimgPath(), c.replaced ? QString() : kStoredPath);
    EXPECT_EQ(form->PersonImage.isNull(), !c.replaced);
    EXPECT_TRUE(form->header->hasPhoto());
}

INSTANTIATE_TEST_SUITE_P(
    Pickers, StoredPhoto,
    ::testing::Values(
        PhotoChange{"NotTapped", nullptr, {}, false, false},
        PhotoChange{"SourceQuestionCancelled", "Cancel", {}, false, false},
        PhotoChange{"PickerCancelled", "Take Picture",
                    [](ImagePickerController *p, const QUrl &) { p->cancel(); }, false, false},
        PhotoChange{"NoCamera", "Take Picture", {}, true, false},
        PhotoChange{"TakePicture", "Take Picture",
                    [](ImagePickerController *p, const QUrl &) { p->takePicture(); }, false, true},
        PhotoChange{"CameraRoll", "Camera Roll",
                    [](ImagePickerController *p, const QUrl &file) { p->choosePhoto(file); }, false,
                    true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- the photo row's question

TEST_F(PersonScreenTest, PhotoTapAsksForTheSourceAndCancelChangesNothing) {
    securityAddNewPerson *screen = pushNewPerson();
    fillValid(screen);
    const QImage before = screen->cPersonImage->theimage();
    QSignalSpy personKeyboard(screen->cPerson, &textFieldCell::keyboardDismissed);
    QSignalSpy addressKeyboard(screen->cAddress, &textFieldCell::keyboardDismissed);
    screen->cPersonImage->theimageTAP();
    EXPECT_EQ(personKeyboard.size(), 1);
    EXPECT_EQ(addressKeyboard.size(), 1);
    auto *alert = presented<AlertController>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Where do you want to pick your image from ?");
    EXPECT_EQ(alert->actionTitles(), QStringList({"Take Picture", "Camera Roll", "Cancel"}));
    EXPECT_FALSE(alert->isActionSheet());
    const auto actions = alert->actions();
    EXPECT_EQ(actions.at(0).style, AlertAction::Style::Default);
    EXPECT_EQ(actions.at(1).style, AlertAction::Style::Default);
    EXPECT_EQ(actions.at(2).style, AlertAction::Style::Cancel);
    alert->tap("Cancel");
    processEvents();
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(screen->cPersonImage->theimage(), before);
    EXPECT_EQ(screen->cPersonImage->IsPickedImage, "No");
    EXPECT_TRUE(screen->cPersonImage->picker.isNull());
}

TEST_F(PersonScreenTest, PickedPhotoIsShownAndMarked) {
    securityAddNewPerson *screen = pushNewPerson();
    screen->cPersonImage->setImageBackgroundColor(secPersonImageCell::emptyPhotoBackground());
    QSignalSpy changed(screen->cPersonImage, &FormCell::changed);
    pickPhoto(screen, "Take Picture", [](ImagePickerController *picker) {
        EXPECT_EQ(picker->sourceType(), Source::Camera);
        picker->takePicture();
    });
    EXPECT_EQ(screen->cPersonImage->theimage().size(), QSize(64, 48));
    EXPECT_EQ(screen->cPersonImage->IsPickedImage, "Yes");
    EXPECT_EQ(screen->cPersonImage->imageUrl().toString().left(14), "image://local/");
    EXPECT_EQ(screen->cPersonImage->imageBackgroundColor(), QColor(48, 48, 48));
    EXPECT_FALSE(changed.isEmpty());
}

// ---- designation picker

TEST_F(PersonScreenTest, DesignationPickerAsksForDesignationsAndKeepsTypedText) {
    securityAddNewPerson *screen = pushNewPerson();
    screen->didSelectRow(0, securityAddNewPerson::DesignationRow);
    auto *nav = presented<NavigationController>();
    auto *picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->title(), "Designation");
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/sp");
    const QVariantMap body = net->sent[0].json();
    EXPECT_EQ(body.value("SPName").toString(), "USP_GetSecurityLogBySearchText");
    ASSERT_EQ(body.value("JSONData").typeId(), QMetaType::QString) << "sent as JSON text";
    EXPECT_EQ(QJsonDocument::fromJson(body.value("JSONData").toString().toUtf8()).toVariant(),
              QVariant(QVariantMap{{"SearchBy", "Sec_Designation"}}));
    net->replyLast(QVariantList{QVariantMap{{"Designation", "Driver"}},
                                QVariantMap{{"Designation", "Supervisor"}}});
    processEvents();
    ASSERT_EQ(picker->numberOfRows(0), 2);
    picker->didSelectRow(0, 1);
    processEvents();
    EXPECT_EQ(screen->cDesignation->text(), "Supervisor");
    EXPECT_EQ(root->presentedViewController(), nullptr);

    // A designation the list does not have is kept as typed.
    screen->didSelectRow(0, securityAddNewPerson::DesignationRow);
    nav = presented<NavigationController>();
    picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    ASSERT_NE(picker, nullptr);
    net->replyLast(QVariantList{QVariantMap{{"Designation", "Driver"}}});
    processEvents();
    picker->setSearchText(QStringLiteral("Loom Fitter"));
    ASSERT_NE(picker->rightBarButtonItem(), nullptr);
    picker->rightBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(screen->cDesignation->text(), "Loom Fitter");
    EXPECT_EQ(root->presentedViewController(), nullptr);

    // The other rows open nothing.
    for (int row : {0, 1, 2, 3})
        screen->didSelectRow(0, row);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(net->sent.size(), 2);
}

// ---- the shared pick

struct SharedPick {
    const char *name;
    const char *source;
    std::function<void(ImagePickerController *, const QUrl &)> act;
    QSize picked; // empty: the completion never runs
};

class SharedPickTest : public PersonScreenTest, public ::testing::WithParamInterface<SharedPick> {};

TEST_P(SharedPickTest, CompletesOnceWithThePictureOnly) {
    const SharedPick &c = GetParam();
    ViewController *screen = root->topViewController();
    QList<QImage> got;
    ImagePickerFunc::shared().pick(screen, [&](const QImage &image) { got.append(image); });
    auto *alert = presented<AlertController>();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), ImagePickerFunc::sourceAlertTitle());
    EXPECT_EQ(alert->actionTitles(), QStringList({"Take Picture", "Camera Roll", "Cancel"}));
    ASSERT_TRUE(alert->tap(c.source));
    if (ImagePickerController *picker = shownPicker()) {
        EXPECT_EQ(ImagePickerFunc::shared().picker.data(), picker);
        c.act(picker, libraryFile());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !root->presentedViewController(); }, 5000));
    }
    processEvents();
    if (c.picked.isEmpty()) {
        EXPECT_TRUE(got.isEmpty());
        return;
    }
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got.at(0).size(), c.picked);
}

INSTANTIATE_TEST_SUITE_P(
    Endings, SharedPickTest,
    ::testing::Values(
        SharedPick{"Cancel", "Cancel", {}, QSize()},
        SharedPick{"PickerCancelled", "Camera Roll",
                   [](ImagePickerController *p, const QUrl &) { p->cancel(); }, QSize()},
        SharedPick{"TakePicture", "Take Picture",
                   [](ImagePickerController *p, const QUrl &) { p->takePicture(); }, QSize(64, 48)},
        SharedPick{"CameraRoll", "Camera Roll",
                   [](ImagePickerController *p, const QUrl &file) { p->choosePhoto(file); },
                   QSize(30, 20)}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
