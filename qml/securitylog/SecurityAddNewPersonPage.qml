import QtQuick
import "../platform"

// The person form: the photo row, then mobile, name, address and designation.
TablePage {
    id: page
}
