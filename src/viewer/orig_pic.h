#pragma once
// The screenshot viewer: a sizeable window that shows the selected title's full
// screenshot at 100 %, opened modally from the launcher's thumbnail and closed by a
// click on the picture. It is hidden, never destroyed, between showings.

#include "toolkit/form.h"
#include "toolkit/form_reader.h"

class TImage;
class TPanel;

class TBigPic : public TForm {
public:
    explicit TBigPic(TComponent* owner);
    ~TBigPic() override;
    const char* ClassName() const override { return "TBigPic"; }

    void Notification(TComponent* component, TOperation operation) override;

    TPanel* ImPanel = nullptr;
    TImage* ImageBigPic = nullptr;

private:
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void ImageBigPicClick(TObject* sender);
};

// The viewer, set as soon as it exists.
extern TBigPic* BigPic;
// The window's stored description.
extern const TFormResource BigPicForm;

void RegisterViewerClasses();
