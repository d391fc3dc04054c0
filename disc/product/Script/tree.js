// Page library of the catalog's generated pages.
//
// The tree page builds its nodes with TreeNode and AddNode and calls HoldUp
// at its end; HoldUp draws the tree rooted at Node0 into the element with id
// "Node0". Every page calls HoldUp, so it does nothing where there is no tree.

function TreeNode() {
    this.ID = '';
    this.Name = '';
    this.OnclickCode = '';
    this.Children = [];
    this.Expanded = false;
}

TreeNode.prototype.AddNode = function (child) {
    this.Children.push(child);
};

var TreeSelectedLabel = null;

function TreeIcon(node) {
    if (node.Children.length === 0)
        return typeof Imgscr_Leaf !== 'undefined' ? Imgscr_Leaf : '';
    if (node.Expanded)
        return typeof Imgscr_Minus !== 'undefined' ? Imgscr_Minus : '';
    return typeof Imgscr_Plus !== 'undefined' ? Imgscr_Plus : '';
}

function TreeToggle(node, row) {
    if (node.Children.length === 0)
        return;
    node.Expanded = !node.Expanded;
    row.icon.src = TreeIcon(node);
    row.children.style.display = node.Expanded ? 'block' : 'none';
}

function TreeRunClick(node, label) {
    if (TreeSelectedLabel)
        TreeSelectedLabel.className = 'TreeLabel';
    label.className = 'TreeLabel TreeSelected';
    TreeSelectedLabel = label;
    if (!node.OnclickCode)
        return;
    // A click on the category already chosen must be reported again, and a
    // title is only reported when it changes.
    window.document.title = '';
    (0, eval)(node.OnclickCode);
}

function TreeDrawNode(node, into) {
    var block = document.createElement('div');
    block.className = 'TreeNode';
    var line = document.createElement('div');
    line.className = 'TreeLine';
    var icon = document.createElement('img');
    icon.className = 'TreeIcon';
    icon.src = TreeIcon(node);
    var label = document.createElement('span');
    label.className = 'TreeLabel';
    label.textContent = node.Name;
    label.title = node.Name;
    line.appendChild(icon);
    line.appendChild(label);
    block.appendChild(line);

    var children = document.createElement('div');
    children.className = 'TreeChildren';
    children.style.display = 'none';
    for (var i = 0; i < node.Children.length; i++)
        TreeDrawNode(node.Children[i], children);
    block.appendChild(children);

    var row = { icon: icon, children: children };
    icon.onclick = function () { TreeToggle(node, row); };
    label.onclick = function () {
        if (!node.Expanded)
            TreeToggle(node, row);
        TreeRunClick(node, label);
    };
    into.appendChild(block);
}

function HoldUp() {
    var place = document.getElementById('Node0');
    if (!place || typeof Node0 === 'undefined')
        return;
    while (place.firstChild)
        place.removeChild(place.firstChild);
    for (var i = 0; i < Node0.Children.length; i++)
        TreeDrawNode(Node0.Children[i], place);
}
