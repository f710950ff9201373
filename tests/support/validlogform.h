#pragma once

#include "formcells.h"
#include "persondetailsview.h"
#include "securitylogdetailview.h"

// A person and entry details that pass every check of the log form, the photo already on the
// server.
inline void fillValidLogForm(securityLogDetailView *form) {
    form->header->setName("Kumar");
    form->header->setMobileNo("98400 12345");
    form->header->setImagePath("~/Security/PersonsImages/7.jpg");
    form->cellEntryType->setText("Visitor");
    form->cellEntryType->identifier = "2";
    form->cellMeetTo->setText("Priya");
}
