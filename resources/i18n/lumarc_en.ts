<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="en_GB">
<context>
    <name></name>
    <message id="1">
        <source>0</source>
        <translation>0</translation>
    </message>
    <message id="4">
        <source> RGB</source>
        <translation> RGB</translation>
    </message>
    <message id="5">
        <source>Choose HTML color...</source>
        <translation>Choose HTML color...</translation>
    </message>
    <message id="6">
        <source>Set white color</source>
        <translation>Set white color</translation>
    </message>
    <message id="7">
        <source>Set black color</source>
        <translation>Set black color</translation>
    </message>
    <message id="8">
        <source>Choose windows color...</source>
        <translation>Choose windows color...</translation>
    </message>
    <message id="9">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="10">
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message id="11">
        <source> B:</source>
        <translation> B:</translation>
    </message>
    <message id="12">
        <source> G:</source>
        <translation> G:</translation>
    </message>
    <message id="13">
        <source> R:</source>
        <translation> R:</translation>
    </message>
    <message id="14">
        <source> Verify links</source>
        <translation> Verify links</translation>
    </message>
    <message id="15">
        <source>Stop verifying ...</source>
        <translation>Stop verifying ...</translation>
    </message>
    <message id="16">
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message id="17">
        <source>Edit url...</source>
        <translation>Edit url...</translation>
    </message>
    <message id="18">
        <source>Edit current row</source>
        <translation>Edit current row</translation>
    </message>
    <message id="19">
        <source>Verify links</source>
        <translation>Verify links</translation>
    </message>
    <message id="20">
        <source>Base URL/path for relativ links</source>
        <translation>Base URL/path for relativ links</translation>
    </message>
    <message id="21">
        <source>Link to</source>
        <translation>Link to</translation>
    </message>
    <message id="22">
        <source>  About Lumarc</source>
        <translation>  About Lumarc</translation>
    </message>
    <message id="23">
        <source>ZEB home page</source>
        <translation>ZEB home page</translation>
    </message>
    <message id="24">
        <source>Free to use for personal and commercial galleries.</source>
        <translation>Free to use for personal and commercial galleries.</translation>
    </message>
    <message id="25">
        <source>Visit my panorama photo gallery</source>
        <translation>Visit my panorama photo gallery</translation>
    </message>
    <message id="26">
        <source>GflSDK</source>
        <translation>GflSDK</translation>
    </message>
    <message id="27">
        <source>Lightbox JS</source>
        <translation>Lightbox JS</translation>
    </message>
    <message id="28">
        <source>Photos and thumbnails are made with libvips.</source>
        <translation>Photos and thumbnails are made with libvips.</translation>
    </message>
    <message id="29">
        <source>Lumarc v.1.0.5.</source>
        <translation>Lumarc v.1.0.5.</translation>
    </message>
    <message id="30">
        <source>This software based on  Lightbox JS and use  GflSDK   image library.</source>
        <translation>This software based on  Lightbox JS and use  GflSDK   image library.</translation>
    </message>
    <message id="31">
        <source>Select color</source>
        <translation>Select color</translation>
    </message>
    <message id="33">
        <source>  Lumarc  v.1.0.5.</source>
        <translation>  Lumarc  v.1.0.5.</translation>
    </message>
    <message id="34">
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message id="35">
        <source>Images</source>
        <translation>Images</translation>
    </message>
    <message id="36">
        <source>Quick help</source>
        <translation>Quick help</translation>
    </message>
    <message id="37">
        <source>Command1</source>
        <translation>Command1</translation>
    </message>
    <message id="38">
        <source>Add image links</source>
        <translation>Add image links</translation>
    </message>
    <message id="39">
        <source>Import...</source>
        <translation>Import...</translation>
    </message>
    <message id="40">
        <source>Load from text format</source>
        <translation>Load from text format</translation>
    </message>
    <message id="41">
        <source>Export...</source>
        <translation>Export...</translation>
    </message>
    <message id="42">
        <source>Save to text format</source>
        <translation>Save to text format</translation>
    </message>
    <message id="43">
        <source>Add parent link</source>
        <translation>Add parent link</translation>
    </message>
    <message id="44">
        <source>See Also: Settings\Web title</source>
        <translation>See Also: Settings\Web title</translation>
    </message>
    <message id="45">
        <source>Remove all</source>
        <translation>Remove all</translation>
    </message>
    <message id="46">
        <source>Remove all images</source>
        <translation>Remove all images</translation>
    </message>
    <message id="47">
        <source>HTML only</source>
        <translation>HTML only</translation>
    </message>
    <message id="48">
        <source>Do not re-generate thumbnails and images</source>
        <translation>Do not re-generate thumbnails and images</translation>
    </message>
    <message id="49">
        <source>Add web title to HTML</source>
        <translation>Add web title to HTML</translation>
    </message>
    <message id="50">
        <source>Make web gallery</source>
        <translation>Make web gallery</translation>
    </message>
    <message id="51">
        <source>Make (rebuild) web gallery</source>
        <translation>Make (rebuild) web gallery</translation>
    </message>
    <message id="52">
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message id="53">
        <source>Remove image</source>
        <translation>Remove image</translation>
    </message>
    <message id="54">
        <source>Add image...</source>
        <translation>Add image...</translation>
    </message>
    <message id="55">
        <source>Add selected images</source>
        <translation>Add selected images</translation>
    </message>
    <message id="56">
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message id="57">
        <source>Update values</source>
        <translation>Update values</translation>
    </message>
    <message id="58">
        <source>Open in the same browser window: _self</source>
        <translation>Open in the same browser window: _self</translation>
    </message>
    <message id="59">
        <source>Open in a new browser window....:  _blank</source>
        <translation>Open in a new browser window....:  _blank</translation>
    </message>
    <message id="60">
        <source>Image title</source>
        <translation>Image title</translation>
    </message>
    <message id="61">
        <source>Move Down</source>
        <translation>Move Down</translation>
    </message>
    <message id="62">
        <source>Add folder...</source>
        <translation>Add folder...</translation>
    </message>
    <message id="63">
        <source>Add all images from folder (*.jpg,*.tif)</source>
        <translation>Add all images from folder (*.jpg,*.tif)</translation>
    </message>
    <message id="64">
        <source>Image tooltip</source>
        <translation>Image tooltip</translation>
    </message>
    <message id="65">
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message id="66">
        <source>Move Up</source>
        <translation>Move Up</translation>
    </message>
    <message id="67">
        <source>Select image, or add new images with drag and drop.</source>
        <translation>Select image, or add new images with drag and drop.</translation>
    </message>
    <message id="68">
        <source>Link text</source>
        <translation>Link text</translation>
    </message>
    <message id="69">
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message id="70">
        <source>Tooltip</source>
        <translation>Tooltip</translation>
    </message>
    <message id="71">
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message id="72">
        <source>Filename</source>
        <translation>Filename</translation>
    </message>
    <message id="73">
        <source>Restore defaults</source>
        <translation>Restore defaults</translation>
    </message>
    <message id="74">
        <source>Restore defaults</source>
        <translation>Restore defaults</translation>
    </message>
    <message id="75">
        <source>Preserve aspect ratio</source>
        <translation>Preserve aspect ratio</translation>
    </message>
    <message id="76">
        <source>Save settings as...</source>
        <translation>Save settings as...</translation>
    </message>
    <message id="77">
        <source>Load settings...</source>
        <translation>Load settings...</translation>
    </message>
    <message id="78">
        <source>Load settings</source>
        <translation>Load settings</translation>
    </message>
    <message id="79">
        <source>C:\Documents and Settings</source>
        <translation>C:\Documents and Settings</translation>
    </message>
    <message id="80">
        <source>Thumbnail</source>
        <translation>Thumbnail</translation>
    </message>
    <message id="81">
        <source>Image title color</source>
        <translation>Image title color</translation>
    </message>
    <message id="82">
        <source>Image border color</source>
        <translation>Image border color</translation>
    </message>
    <message id="83">
        <source>Image title align</source>
        <translation>Image title align</translation>
    </message>
    <message id="84">
        <source>Font</source>
        <translation>Font</translation>
    </message>
    <message id="85">
        <source>color</source>
        <translation>color</translation>
    </message>
    <message id="86">
        <source>Align</source>
        <translation>Align</translation>
    </message>
    <message id="87">
        <source>Verdana</source>
        <translation>Verdana</translation>
    </message>
    <message id="88">
        <source>Large image</source>
        <translation>Large image</translation>
    </message>
    <message id="89">
        <source>Web page background color</source>
        <translation>Web page background color</translation>
    </message>
    <message id="90">
        <source>Cell</source>
        <translation>Cell</translation>
    </message>
    <message id="91">
        <source>Cell background (padding) color</source>
        <translation>Cell background (padding) color</translation>
    </message>
    <message id="92">
        <source>Cell top border color</source>
        <translation>Cell top border color</translation>
    </message>
    <message id="93">
        <source>Cell right border color</source>
        <translation>Cell right border color</translation>
    </message>
    <message id="94">
        <source>Cell left border color</source>
        <translation>Cell left border color</translation>
    </message>
    <message id="95">
        <source>Cell bottom border color</source>
        <translation>Cell bottom border color</translation>
    </message>
    <message id="96">
        <source>Colors</source>
        <translation>Colors</translation>
    </message>
    <message id="97">
        <source>Cell background and border colors</source>
        <translation>Cell background and border colors</translation>
    </message>
    <message id="98">
        <source>Page title</source>
        <translation>Page title</translation>
    </message>
    <message id="99">
        <source>Home URL description</source>
        <translation>Home URL description</translation>
    </message>
    <message id="100">
        <source>Add home URL, or keep empty</source>
        <translation>Add home URL, or keep empty</translation>
    </message>
    <message id="101">
        <source>Select web title text color</source>
        <translation>Select web title text color</translation>
    </message>
    <message id="102">
        <source>My Image Gallery</source>
        <translation>My Image Gallery</translation>
    </message>
    <message id="103">
        <source>Parent page title</source>
        <translation>Parent page title</translation>
    </message>
    <message id="104">
        <source>Parent page link</source>
        <translation>Parent page link</translation>
    </message>
    <message id="105">
        <source>Destination folder for a new web gallery</source>
        <translation>Destination folder for a new web gallery</translation>
    </message>
    <message id="106">
        <source>Page background color</source>
        <translation>Page background color</translation>
    </message>
    <message id="107">
        <source>Image link title</source>
        <translation>Image link title</translation>
    </message>
    <message id="108">
        <source>Font,size,color=Thumbnail title</source>
        <translation>Font,size,color=Thumbnail title</translation>
    </message>
    <message id="109">
        <source>caption, url</source>
        <translation>caption, url</translation>
    </message>
    <message id="110">
        <source>width, color</source>
        <translation>width, color</translation>
    </message>
    <message id="111">
        <source>caption, font, size, color</source>
        <translation>caption, font, size, color</translation>
    </message>
    <message id="112">
        <source>caption, font, size, color, align</source>
        <translation>caption, font, size, color, align</translation>
    </message>
    <message id="113">
        <source>width, color:left,top, right,bottom</source>
        <translation>width, color:left,top, right,bottom</translation>
    </message>
    <message id="114">
        <source>Cell height</source>
        <translation>Cell height</translation>
    </message>
    <message id="115">
        <source>Cell background color</source>
        <translation>Cell background color</translation>
    </message>
    <message id="116">
        <source>Thumbnail height</source>
        <translation>Thumbnail height</translation>
    </message>
    <message id="117">
        <source>Cell width</source>
        <translation>Cell width</translation>
    </message>
    <message id="118">
        <source>Thumbnail width</source>
        <translation>Thumbnail width</translation>
    </message>
    <message id="119">
        <source>Cell borders</source>
        <translation>Cell borders</translation>
    </message>
    <message id="120">
        <source>Width,colors</source>
        <translation>Width,colors</translation>
    </message>
    <message id="121">
        <source>Cell padding</source>
        <translation>Cell padding</translation>
    </message>
    <message id="122">
        <source>Web page title</source>
        <translation>Web page title</translation>
    </message>
    <message id="123">
        <source>Caption,font,color</source>
        <translation>Caption,font,color</translation>
    </message>
    <message id="124">
        <source>Caption,url</source>
        <translation>Caption,url</translation>
    </message>
    <message id="125">
        <source>Thumbnail border</source>
        <translation>Thumbnail border</translation>
    </message>
    <message id="126">
        <source>width,color</source>
        <translation>width,color</translation>
    </message>
    <message id="127">
        <source>Thumbnail title</source>
        <translation>Thumbnail title</translation>
    </message>
    <message id="128">
        <source>font,size,color</source>
        <translation>font,size,color</translation>
    </message>
    <message id="129">
        <source>Cell spacing</source>
        <translation>Cell spacing</translation>
    </message>
    <message id="130">
        <source>File</source>
        <translation>File</translation>
    </message>
    <message id="131">
        <source>New Project</source>
        <translation>New Project</translation>
    </message>
    <message id="132">
        <source>Open Project...</source>
        <translation>Open Project...</translation>
    </message>
    <message id="134">
        <source>Save Project</source>
        <translation>Save Project</translation>
    </message>
    <message id="135">
        <source>Save Project As...</source>
        <translation>Save Project As...</translation>
    </message>
    <message id="136">
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message id="137">
        <source>Create all</source>
        <translation>Create all</translation>
    </message>
    <message id="138">
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message id="139">
        <source>Verify links...</source>
        <translation>Verify links...</translation>
    </message>
    <message id="140">
        <source>Create absolute links from root-relative links...</source>
        <translation>Create absolute links from root-relative links...</translation>
    </message>
    <message id="141">
        <source>Create root-relative link from absolute links...</source>
        <translation>Create root-relative link from absolute links...</translation>
    </message>
    <message id="142">
        <source>Link text= default value</source>
        <translation>Link text= default value</translation>
    </message>
    <message id="143">
        <source>Preview images...</source>
        <translation>Preview images...</translation>
    </message>
    <message id="144">
        <source>Clear image titles...</source>
        <translation>Clear image titles...</translation>
    </message>
    <message id="145">
        <source>Clear image tooltips...</source>
        <translation>Clear image tooltips...</translation>
    </message>
    <message id="146">
        <source>Image tooltip = image title...</source>
        <translation>Image tooltip = image title...</translation>
    </message>
    <message id="147">
        <source>About</source>
        <translation>About</translation>
    </message>
    <message id="148">
        <source>Select Language</source>
        <translation>Select Language</translation>
    </message>
    <message id="149">
        <source>Show this dialog when the program starts</source>
        <translation>Show this dialog when the program starts</translation>
    </message>
    <message id="150">
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message id="151">
        <source>"000000"</source>
        <translation>"000000"</translation>
    </message>
    <message id="152">
        <source>Previous picture</source>
        <translation>Previous picture</translation>
    </message>
    <message id="153">
        <source>Select previous picture</source>
        <translation>Select previous picture</translation>
    </message>
    <message id="154">
        <source>Next picture</source>
        <translation>Next picture</translation>
    </message>
    <message id="155">
        <source>Select next picture</source>
        <translation>Select next picture</translation>
    </message>
    <message id="156">
        <source>The editing is enabled</source>
        <translation>The editing is enabled</translation>
    </message>
    <message id="157">
        <source>Settings...</source>
        <translation>Settings...</translation>
    </message>
    <message id="158">
        <source>Select all</source>
        <translation>Select all</translation>
    </message>
    <message id="159">
        <source>Unselect</source>
        <translation>Unselect</translation>
    </message>
    <message id="160">
        <source>Remove selected</source>
        <translation>Remove selected</translation>
    </message>
    <message id="161">
        <source>Remove  all</source>
        <translation>Remove  all</translation>
    </message>
    <message id="162">
        <source>Action on all pictures</source>
        <translation>Action on all pictures</translation>
    </message>
    <message id="163">
        <source>Action on selected pictures</source>
        <translation>Action on selected pictures</translation>
    </message>
    <message id="164">
        <source>Add prefix to the title...</source>
        <translation>Add prefix to the title...</translation>
    </message>
    <message id="165">
        <source>Add suffix to the title...</source>
        <translation>Add suffix to the title...</translation>
    </message>
    <message id="166">
        <source>Add prefix to the tooltip...</source>
        <translation>Add prefix to the tooltip...</translation>
    </message>
    <message id="167">
        <source>Add suffix to the tooltip...</source>
        <translation>Add suffix to the tooltip...</translation>
    </message>
    <message id="168">
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message id="169">
        <source>Select destination folder for a web gallery</source>
        <translation>Select destination folder for a web gallery</translation>
    </message>
    <message id="170">
        <source>No font selected!</source>
        <translation>No font selected!</translation>
    </message>
    <message id="171">
        <source>ZEB settings files (*.zeb;*.zes)|*.zeb;*.zes</source>
        <translation>ZEB settings files (*.zeb;*.zes)|*.zeb;*.zes</translation>
    </message>
    <message id="172">
        <source>Select settings</source>
        <translation>Select settings</translation>
    </message>
    <message id="173">
        <source>ZEB settings files (*.zes;)|*.zes;</source>
        <translation>ZEB settings files (*.zes;)|*.zes;</translation>
    </message>
    <message id="174">
        <source>Loading image: </source>
        <translation>Loading image: </translation>
    </message>
    <message id="175">
        <source> images selected</source>
        <translation> images selected</translation>
    </message>
    <message id="176">
        <source>Please select folder with original images</source>
        <translation>Please select folder with original images</translation>
    </message>
    <message id="177">
        <source>Added </source>
        <translation>Added </translation>
    </message>
    <message id="178">
        <source> new images.</source>
        <translation> new images.</translation>
    </message>
    <message id="179">
        <source>No images added to the project!</source>
        <translation>No images added to the project!</translation>
    </message>
    <message id="180">
        <source>Image not exist!</source>
        <translation>Image not exist!</translation>
    </message>
    <message id="181">
        <source>No images!</source>
        <translation>No images!</translation>
    </message>
    <message id="182">
        <source>ZEB text format (*.txt)|*.txt</source>
        <translation>ZEB text format (*.txt)|*.txt</translation>
    </message>
    <message id="183">
        <source>ZEB text file</source>
        <translation>ZEB text file</translation>
    </message>
    <message id="184">
        <source>Not verified</source>
        <translation>Not verified</translation>
    </message>
    <message id="185">
        <source>Object</source>
        <translation>Object</translation>
    </message>
    <message id="186">
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message id="187">
        <source>image</source>
        <translation>image</translation>
    </message>
    <message id="188">
        <source>Not verified</source>
        <translation>Not verified</translation>
    </message>
    <message id="189">
        <source>Validated</source>
        <translation>Validated</translation>
    </message>
    <message id="190">
        <source>Image not found</source>
        <translation>Image not found</translation>
    </message>
    <message id="191">
        <source>Relative URL: not verifyed</source>
        <translation>Relative URL: not verifyed</translation>
    </message>
    <message id="192">
        <source>URL not found</source>
        <translation>URL not found</translation>
    </message>
    <message id="193">
        <source>Link not found</source>
        <translation>Link not found</translation>
    </message>
    <message id="194">
        <source>Valid</source>
        <translation>Valid</translation>
    </message>
    <message id="196">
        <source>Valid values: </source>
        <translation>Valid values: </translation>
    </message>
    <message id="197">
        <source>Error writing file:</source>
        <translation>Error writing file:</translation>
    </message>
    <message id="198">
        <source>Error number:</source>
        <translation>Error number:</translation>
    </message>
    <message id="199">
        <source>Error description:</source>
        <translation>Error description:</translation>
    </message>
    <message id="200">
        <source>Creating web folder...</source>
        <translation>Creating web folder...</translation>
    </message>
    <message id="201">
        <source>Creating thumbnails...</source>
        <translation>Creating thumbnails...</translation>
    </message>
    <message id="202">
        <source>Image:</source>
        <translation>Image:</translation>
    </message>
    <message id="203">
        <source>Enter base URL/path</source>
        <translation>Enter base URL/path</translation>
    </message>
    <message id="204">
        <source>Create absolute links</source>
        <translation>Create absolute links</translation>
    </message>
    <message id="205">
        <source>Create root-relative links</source>
        <translation>Create root-relative links</translation>
    </message>
    <message id="206">
        <source>ZEB project (*.zeb)|*.zeb</source>
        <translation>ZEB project (*.zeb)|*.zeb</translation>
    </message>
    <message id="207">
        <source>Select project</source>
        <translation>Select project</translation>
    </message>
    <message id="208">
        <source>Invalid ZEB file!</source>
        <translation>Invalid ZEB file!</translation>
    </message>
    <message id="209">
        <source>ZEB project file (*.zeb)|*.zeb</source>
        <translation>ZEB project file (*.zeb)|*.zeb</translation>
    </message>
    <message id="210">
        <source>Save project as</source>
        <translation>Save project as</translation>
    </message>
    <message id="211">
        <source>Are you sure?</source>
        <translation>Are you sure?</translation>
    </message>
    <message id="212">
        <source>Clear image titles</source>
        <translation>Clear image titles</translation>
    </message>
    <message id="213">
        <source>Clear image tooltips</source>
        <translation>Clear image tooltips</translation>
    </message>
    <message id="214">
        <source>Image tooltip = image title</source>
        <translation>Image tooltip = image title</translation>
    </message>
    <message id="215">
        <source>Prefix:</source>
        <translation>Prefix:</translation>
    </message>
    <message id="216">
        <source>Suffix:</source>
        <translation>Suffix:</translation>
    </message>
    <message id="217">
        <source>Pictures/row</source>
        <translation>Pictures/row</translation>
    </message>
    <message id="219">
        <source>  size</source>
        <translation>  size</translation>
    </message>
    <message id="220">
        <source>Web title font size</source>
        <translation>Web title font size</translation>
    </message>
    <message id="221">
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message id="222">
        <source>x</source>
        <translation>x</translation>
    </message>
    <message id="223">
        <source>Border width</source>
        <translation>Border width</translation>
    </message>
    <message id="224">
        <source>Spacing</source>
        <translation>Spacing</translation>
    </message>
    <message id="225">
        <source>Paddign</source>
        <translation>Paddign</translation>
    </message>
    <message id="226">
        <source>Image size</source>
        <translation>Image size</translation>
    </message>
    <message id="227">
        <source>x </source>
        <translation>x </translation>
    </message>
    <message id="228">
        <source>Resized image quality</source>
        <translation>Resized image quality</translation>
    </message>
    <message id="229">
        <source>x  </source>
        <translation>x  </translation>
    </message>
    <message id="230">
        <source>Columns</source>
        <translation>Columns</translation>
    </message>
    <message id="231">
        <source>Rows</source>
        <translation>Rows</translation>
    </message>
    <message id="232">
        <source>Invalid file!</source>
        <translation>Invalid file!</translation>
    </message>
    <message id="233">
        <source>Image ignored!</source>
        <translation>Image ignored!</translation>
    </message>
    <message id="234">
        <source>Image path:'</source>
        <translation>Image path:'</translation>
    </message>
    <message id="235">
        <source>' already exist!</source>
        <translation>' already exist!</translation>
    </message>
    <message id="236">
        <source>Image files (*.*)|*.*</source>
        <translation>Image files (*.*)|*.*</translation>
    </message>
    <message id="237">
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message id="238">
        <source>center</source>
        <translation>center</translation>
    </message>
    <message id="239">
        <source>The destination folder </source>
        <translation>The destination folder </translation>
    </message>
    <message id="241">
        <source>is not empty!    Proceed anyway?</source>
        <translation>is not empty!    Proceed anyway?</translation>
    </message>
    <message id="246">
        <source>Size</source>
        <translation>Size</translation>
    </message>
    <message id="247">
        <source>Not valid</source>
        <translation>Not valid</translation>
    </message>
    <message id="248">
        <source>External link: not verifyed</source>
        <translation>External link: not verifyed</translation>
    </message>
    <message id="249">
        <source>Link (file)not found</source>
        <translation>Link (file)not found</translation>
    </message>
    <message id="250">
        <source>Add link</source>
        <translation>Add link</translation>
    </message>
    <message id="251">
        <source>Add parent link</source>
        <translation>Add parent link</translation>
    </message>
    <message id="252">
        <source>Save settings as</source>
        <translation>Save settings as</translation>
    </message>
    <message id="253">
        <source>%</source>
        <translation>%</translation>
    </message>
    <message id="254">
        <source>Export...</source>
        <translation>Export...</translation>
    </message>
    <message id="255">
        <source>Import...</source>
        <translation>Import...</translation>
    </message>
    <message id="257">
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message id="258">
        <source>Add link to image</source>
        <translation>Add link to image</translation>
    </message>
    <message id="259">
        <source>Left</source>
        <translation>Left</translation>
    </message>
    <message id="260">
        <source>Center</source>
        <translation>Center</translation>
    </message>
    <message id="261">
        <source>Right</source>
        <translation>Right</translation>
    </message>
    <message id="262">
        <source>Link to website</source>
        <translation>Link to website</translation>
    </message>
    <message id="263">
        <source>Language...</source>
        <translation>Language...</translation>
    </message>
    <message id="264">
        <source>Background image</source>
        <translation>Background image</translation>
    </message>
    <message id="265">
        <source>Select page background image</source>
        <translation>Select page background image</translation>
    </message>
    <message id="266">
        <source>Background image (*.jpg;*.gif)|*.jpg;*.gif</source>
        <translation>Background image (*.jpg;*.gif)|*.jpg;*.gif</translation>
    </message>
    <message id="267">
        <source>Link text</source>
        <translation>Link text</translation>
    </message>
    <message id="268">
        <source>Value :</source>
        <translation>Value :</translation>
    </message>
    <message id="269">
        <source>Cell background image</source>
        <translation>Cell background image</translation>
    </message>
    <message id="270">
        <source>Page background image</source>
        <translation>Page background image</translation>
    </message>
    <message id="271">
        <source>Enter default website link:</source>
        <translation>Enter default website link:</translation>
    </message>
    <message id="272">
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message id="300">
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message id="301">
        <source>The project has changes that are not saved. Save them?</source>
        <translation>The project has changes that are not saved. Save them?</translation>
    </message>
    <message id="302">
        <source> files of an earlier gallery will be deleted.</source>
        <translation> files of an earlier gallery will be deleted.</translation>
    </message>
    <message id="303">
        <source>These stay as they are: </source>
        <translation>These stay as they are: </translation>
    </message>
    <message id="304">
        <source> files that no gallery build wrote will be replaced.</source>
        <translation> files that no gallery build wrote will be replaced.</translation>
    </message>
    <message id="305">
        <source>Another program is changing this project file right now, so it was not saved.</source>
        <translation>Another program is changing this project file right now, so it was not saved.</translation>
    </message>
    <message id="306">
        <source>This project file was changed by another program since it was opened or saved here.</source>
        <translation>This project file was changed by another program since it was opened or saved here.</translation>
    </message>
    <message id="307">
        <source>Reload</source>
        <translation>Reload</translation>
    </message>
    <message id="308">
        <source>Overwrite</source>
        <translation>Overwrite</translation>
    </message>
    <message id="309">
        <source>Load the changed file?</source>
        <translation>Load the changed file?</translation>
    </message>
    <message id="310">
        <source>The changes made here are not saved yet; saving will ask whether to overwrite the file.</source>
        <translation>The changes made here are not saved yet; saving will ask whether to overwrite the file.</translation>
    </message>
    <message id="311">
        <source>The gallery was not finished: the build was stopped after %1 of %2 images, and no pages were written. Make the gallery again to finish it.</source>
        <translation>The gallery was not finished: the build was stopped after %1 of %2 images, and no pages were written. Make the gallery again to finish it.</translation>
    </message>
    <message id="312">
        <source>Images are still being added. Stop adding and close the window?</source>
        <translation>Images are still being added. Stop adding and close the window?</translation>
    </message>
    <message id="313">
        <source>%1 images, %2 selected</source>
        <translation>%1 images, %2 selected</translation>
    </message>
    <message id="314">
        <source>Loading previews: %1 of %2</source>
        <translation>Loading previews: %1 of %2</translation>
    </message>
    <message id="315">
        <source>%1 source files missing</source>
        <translation>%1 source files missing</translation>
    </message>
    <message id="320">
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message id="321">
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message id="322">
        <source>Undo %1</source>
        <translation>Undo %1</translation>
    </message>
    <message id="323">
        <source>Redo %1</source>
        <translation>Redo %1</translation>
    </message>
    <message id="324">
        <source>Edit title</source>
        <translation>Edit title</translation>
    </message>
    <message id="325">
        <source>Edit tooltip</source>
        <translation>Edit tooltip</translation>
    </message>
    <message id="326">
        <source>Edit link</source>
        <translation>Edit link</translation>
    </message>
    <message id="327">
        <source>Edit link text</source>
        <translation>Edit link text</translation>
    </message>
    <message id="328">
        <source>Change link target</source>
        <translation>Change link target</translation>
    </message>
    <message id="329">
        <source>Add images</source>
        <translation>Add images</translation>
    </message>
    <message id="330">
        <source>Move images</source>
        <translation>Move images</translation>
    </message>
    <message id="331">
        <source>Import list</source>
        <translation>Import list</translation>
    </message>
    <message id="332">
        <source>Change settings</source>
        <translation>Change settings</translation>
    </message>
    <message id="333">
        <source>Change links</source>
        <translation>Change links</translation>
    </message>
    <message id="400">
        <source>This file or folder does not exist.</source>
        <translation>This file or folder does not exist.</translation>
    </message>
    <message id="401">
        <source>This file could not be read.</source>
        <translation>This file could not be read.</translation>
    </message>
    <message id="402">
        <source>This file or folder could not be written, created or removed.</source>
        <translation>This file or folder could not be written, created or removed.</translation>
    </message>
    <message id="403">
        <source>The file is not in the expected format, or it is damaged.</source>
        <translation>The file is not in the expected format, or it is damaged.</translation>
    </message>
    <message id="404">
        <source>This image could not be read.</source>
        <translation>This image could not be read.</translation>
    </message>
    <message id="405">
        <source>This is not an image of a kind the program can read.</source>
        <translation>This is not an image of a kind the program can read.</translation>
    </message>
    <message id="406">
        <source>This image could not be made.</source>
        <translation>This image could not be made.</translation>
    </message>
    <message id="407">
        <source>This address could not be reached.</source>
        <translation>This address could not be reached.</translation>
    </message>
    <message id="408">
        <source>This value cannot be used.</source>
        <translation>This value cannot be used.</translation>
    </message>
    <message id="409">
        <source>Nothing was changed: the file or folder is in use, or it may not be changed.</source>
        <translation>Nothing was changed: the file or folder is in use, or it may not be changed.</translation>
    </message>
    <message id="410">
        <source>%1 problems</source>
        <translation>%1 problems</translation>
    </message>
</context>
</TS>
