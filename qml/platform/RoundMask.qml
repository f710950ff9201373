import QtQuick
import QtQuick.Shapes

// Paints everything of its area outside the inscribed circle in `color`, so a square picture
// under it shows as a round one (Qt Quick does not clip to rounded corners).
Shape {
    id: mask
    property color color: "#303030"
    antialiasing: true
    ShapePath {
        fillColor: mask.color
        strokeColor: "transparent"
        fillRule: ShapePath.OddEvenFill
        startX: 0
        startY: 0
        PathLine { x: mask.width; y: 0 }
        PathLine { x: mask.width; y: mask.height }
        PathLine { x: 0; y: mask.height }
        PathLine { x: 0; y: 0 }
        PathMove { x: 0; y: mask.height / 2 }
        PathArc { x: mask.width; y: mask.height / 2; radiusX: mask.width / 2; radiusY: mask.height / 2 }
        PathArc { x: 0; y: mask.height / 2; radiusX: mask.width / 2; radiusY: mask.height / 2 }
    }
}
